#include "EHttpException.h"
#include "HttpReplyParser.h"
#include "RecordingServer.h"
#include "THttpCli.h"

#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <cerrno>

using namespace statdesk;
using statdesk::test::RecordingServer;

namespace {

struct Outcome {
    bool ok = false;
    int status = 0;
    QString reason;
    QByteArray body;
};

Outcome perform(THttpCli& http, bool post) {
    Outcome outcome;
    QByteArray body;
    http.setReplyBuffer(&body);
    try {
        post ? http.Post() : http.Get();
        outcome.ok = true;
        outcome.status = http.StatusCode();
        outcome.reason = http.ReasonPhrase();
    } catch (const EHttpException& failure) {
        outcome.status = failure.statusCode();
        outcome.reason = failure.reason();
        if (QString::fromStdString(failure.what()) != failure.reason())
            outcome.reason = "what() differs";
    }
    http.setReplyBuffer(nullptr);
    outcome.body = body;
    return outcome;
}

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

const QByteArray kAccept = "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n";
const QByteArray kAgent = "User-Agent: Mozilla/3.0 (compatible)\r\n";
const QByteArray kForm = "Content-Type: application/x-www-form-urlencoded\r\n";

} // namespace

class TestHttpClient : public QObject {
    Q_OBJECT

  private slots:
    void requestBytes_data();
    void requestBytes();
    void replies_data();
    void replies();
    void failures_data();
    void failures();
    void postWithoutBodyFailsAtOnce();
    void redirectIsFollowedAfterClose();
    void abortDuringResolve();
    void abortDuringBody();
    void busyWhileTimerStartsSecondRequest();
    void urlStaysAfterOperation();
    void destroyedWhileWaiting();
    void bodyLimit_data();
    void bodyLimit();
};

void TestHttpClient::requestBytes_data() {
    QTest::addColumn<bool>("post");
    QTest::addColumn<QString>("url"); // %1 is the server's host:port
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("noCache");
    QTest::addColumn<bool>("plainHeaders"); // Accept and Agent emptied
    QTest::addColumn<bool>("viaProxy");     // the server plays the proxy
    QTest::addColumn<QByteArray>("expected");

    const QByteArray host = "Host: 127.0.0.1\r\n";
    const QByteArray query = "0!20!300!\r\n*\r\n\x1a";
    QTest::newRow("page query") << true << "%1/cgi-bin/getbplayer-1.exe" << query << false << false << false
                                << "POST /cgi-bin/getbplayer-1.exe HTTP/1.0\r\n" + kAccept + kForm + kAgent +
                                       host + "Content-Length: 15\r\n\r\n" + query;
    const QByteArray list = "0!0!C!\r\n*\r\n\x1a";
    QTest::newRow("list query") << true << "http://%1/cgi-bin/getbteam-1.exe" << list << false << false
                                << false
                                << "POST /cgi-bin/getbteam-1.exe HTTP/1.0\r\n" + kAccept + kForm + kAgent +
                                       host + "Content-Length: 12\r\n\r\n" + list;
    QTest::newRow("empty body") << true << "%1/x" << QByteArray("") << false << false << false
                                << "POST /x HTTP/1.0\r\n" + kAccept + kForm + kAgent + host +
                                       "Content-Length: 0\r\n\r\n";
    QTest::newRow("get without scheme")
        << false << "%1/cgi-bin/verread.exe" << QByteArray() << false << false << false
        << "GET /cgi-bin/verread.exe HTTP/1.0\r\n" + kAccept + kAgent + host + "\r\n";
    QTest::newRow("empty path") << false << "%1" << QByteArray() << false << false << false
                                << "GET / HTTP/1.0\r\n" + kAccept + kAgent + host + "\r\n";
    QTest::newRow("query string unchanged")
        << false << "%1/999addlog.asp?Q=IN,basketballplayers,http://www.example.com/a:b,12" << QByteArray()
        << false << false << false
        << "GET /999addlog.asp?Q=IN,basketballplayers,http://www.example.com/a:b,12 HTTP/1.0\r\n" + kAccept +
               kAgent + host + "\r\n";
    QTest::newRow("query string after a scheme")
        << false << "http://%1/999addlog.asp?Q=MENUCLICK,http://www.example.com/?x=1,x" << QByteArray()
        << false << false << false
        << "GET /999addlog.asp?Q=MENUCLICK,http://www.example.com/?x=1,x HTTP/1.0\r\n" + kAccept + kAgent +
               host + "\r\n";
    QTest::newRow("no cache") << false << "%1/a" << QByteArray() << true << false << false
                              << "GET /a HTTP/1.0\r\n" + kAccept + kAgent + host + "Pragma: no-cache\r\n\r\n";
    QTest::newRow("empty accept and agent")
        << true << "%1/a" << QByteArray("b") << false << true << false
        << "POST /a HTTP/1.0\r\n" + kForm + host + "Content-Length: 1\r\n\r\nb";
    QTest::newRow("control bytes escaped")
        << false << "%1/a b\r\nX-Injected: 1\x7f" << QByteArray() << false << false << false
        << "GET /a%20b%0D%0AX-Injected:%201%7F HTTP/1.0\r\n" + kAccept + kAgent + host + "\r\n";
    QTest::newRow("Windows-1252 path")
        << false << QString::fromUtf8("%1/caf\u00e9\u20ac?q=\u0161") << QByteArray() << false << false
        << false << "GET /caf\xe9\x80?q=\x9a HTTP/1.0\r\n" + kAccept + kAgent + host + "\r\n";
    QTest::newRow("proxy, target with port")
        << false << "stats.example:8080/cgi-bin/verread.exe?a=b" << QByteArray() << false << false << true
        << "GET http://stats.example:8080/cgi-bin/verread.exe?a=b HTTP/1.0\r\n" + kAccept + kAgent +
               "Host: stats.example\r\nProxy-Authorization: Basic dXNlcjpwYXNz\r\n\r\n";
    QTest::newRow("proxy, post") << true << "http://stats.example/cgi-bin/getbteam2-1.exe" << list << false
                                 << false << true
                                 << "POST http://stats.example/cgi-bin/getbteam2-1.exe HTTP/1.0\r\n" +
                                        kAccept + kForm + kAgent +
                                        "Host: stats.example\r\nContent-Length: 12\r\n"
                                        "Proxy-Authorization: Basic dXNlcjpwYXNz\r\n\r\n" +
                                        list;
}

void TestHttpClient::requestBytes() {
    QFETCH(bool, post);
    QFETCH(QString, url);
    QFETCH(QByteArray, body);
    QFETCH(bool, noCache);
    QFETCH(bool, plainHeaders);
    QFETCH(bool, viaProxy);
    QFETCH(QByteArray, expected);

    RecordingServer server;
    server.setReply("HTTP/1.0 200 OK\r\n\r\nfine");
    THttpCli http;
    http.setURL(QString(url).replace("%1", server.hostPort()));
    if (!body.isNull())
        http.setRequestBody(body);
    http.setNoCache(noCache);
    if (plainHeaders) {
        http.setAccept({});
        http.setAgent({});
    }
    if (viaProxy) {
        http.setProxy("127.0.0.1");
        http.setProxyPort(QString::number(server.port()));
        http.setProxyUsername("user");
        http.setProxyPassword("pass");
    }
    const Outcome outcome = perform(http, post);
    QVERIFY2(outcome.ok, qPrintable(outcome.reason));
    QCOMPARE(outcome.body, QByteArray("fine"));
    QCOMPARE(server.connectionCount(), 1);
    QCOMPARE(server.lastRequest(), expected);
}

void TestHttpClient::replies_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("status and headers") << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n"
                                                      "Content-Length: 3\r\n\r\n12\r\n3\r\n")
                                        << 200 << "OK" << QByteArray("12\r\n3\r\n");
    QTest::newRow("LF header ends") << QByteArray("HTTP/1.1 203 Fine here\nSet-Cookie: a=b\n\nbody\n") << 203
                                    << "Fine here" << QByteArray("body\n");
    QTest::newRow("html without header") << QByteArray("<hTmL>\r\n<body>HTTP/1.0 404 x</body>\r\n") << 0 << ""
                                         << QByteArray("<hTmL>\r\n<body>HTTP/1.0 404 x</body>\r\n");
    const QByteArray longHtml = "<HTML>" + QByteArray(9000, 'h');
    QTest::newRow("html first line over the line limit") << longHtml << 0 << "" << longHtml;
    QTest::newRow("header line of 8192 bytes")
        << "HTTP/1.0 200 OK\r\nX: " + QByteArray(8189, 'a') + "\r\n\r\nok" << 200 << "OK" << QByteArray("ok");
    QTest::newRow("no body") << QByteArray("HTTP/1.0 204 No Content\r\n\r\n") << 204 << "No Content"
                             << QByteArray();
    QTest::newRow("binary body") << QByteArray("HTTP/1.0 200 OK\r\n\r\n\0\x1a\xff\r", 23) << 200 << "OK"
                                 << QByteArray("\0\x1a\xff\r", 4);
}

void TestHttpClient::replies() {
    QFETCH(QByteArray, reply);
    QFETCH(int, status);
    QFETCH(QString, reason);
    QFETCH(QByteArray, body);
    RecordingServer server;
    server.setReply(reply);
    THttpCli http;
    http.setURL(server.hostPort() + "/r");
    const Outcome outcome = perform(http, false);
    QVERIFY2(outcome.ok, qPrintable(outcome.reason));
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.reason, reason);
    QCOMPARE(outcome.body, body);
}

void TestHttpClient::failures_data() {
    QTest::addColumn<QString>("url"); // %1: a recording server's host:port, %2: a closed port
    QTest::addColumn<RecordingServer::Response>("response");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reason"); // a trailing "*" matches any rest

    using R = RecordingServer::Response;
    QTest::newRow("refused") << "127.0.0.1:%2/x" << R{} << 404
                             << QString("can't connect: Connection refused (Error #%1)").arg(ECONNREFUSED);
    QTest::newRow("unresolvable") << "nohost.invalid/x" << R{} << 404
                                  << "can't resolve hostname to IP address";
    QTest::newRow("blank in host") << "bad host/x" << R{} << 404 << "can't resolve hostname to IP address";
    QTest::newRow("404 with reason") << "%1/x" << R{"HTTP/1.0 404 Not Found Here\r\n\r\nsecret body"} << 404
                                     << "Not Found Here";
    QTest::newRow("Windows-1252 reason")
        << "%1/x" << R{"HTTP/1.0 404 Caf\xe9 \x80\r\n\r\n"} << 404 << QString::fromUtf8("Caf\u00e9 \u20ac");
    QTest::newRow("status line alone ends it")
        << "%1/x" << R{"HTTP/1.1 500 Boom\r\n", false} << 500 << "Boom";
    QTest::newRow("header line of 8193 bytes")
        << "%1/x" << R{"HTTP/1.0 200 OK\r\nX: " + QByteArray(8190, 'a') + "\r\n\r\nok"} << 404
        << "HTTP line too long";
    QTest::newRow("endless header line")
        << "%1/x" << R{"HTTP/1.0 200 OK\r\n" + QByteArray(9000, 'a'), false} << 404 << "HTTP line too long";
    QTest::newRow("silent server") << "%1/x" << R{QByteArray(), false} << 404
                                   << "no data from the server for 0.3 seconds";
    QTest::newRow("stall in the body") << "%1/x" << R{"HTTP/1.0 200 OK\r\n\r\npart", false} << 404
                                       << "no data from the server for 0.3 seconds";
    QTest::newRow("closed without reply")
        << "%1/x" << R{QByteArray(), true, false} << 404 << "connection closed without a reply";
}

void TestHttpClient::failures() {
    QFETCH(QString, url);
    QFETCH(RecordingServer::Response, response);
    QFETCH(int, status);
    QFETCH(QString, reason);
    RecordingServer server;
    server.setResponse(response);
    THttpCli http;
    http.setInactivityLimitMs(300);
    http.setURL(QString(url).replace("%1", server.hostPort()).replace("%2", QString::number(closedPort())));
    const Outcome outcome = perform(http, false);
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.status, status);
    QCOMPARE(http.StatusCode(), status);
    if (reason.endsWith('*'))
        QVERIFY2(outcome.reason.startsWith(reason.chopped(1)), qPrintable(outcome.reason));
    else
        QCOMPARE(outcome.reason, reason);
    QCOMPARE(http.ReasonPhrase(), outcome.reason);
    QVERIFY(outcome.body.isEmpty());
    QVERIFY(!http.isBusy());
}

void TestHttpClient::postWithoutBodyFailsAtOnce() {
    RecordingServer server;
    THttpCli http;
    http.setURL(server.hostPort() + "/x");
    const Outcome outcome = perform(http, true);
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.reason, QString("HTTP component has nothing to post"));
    QCOMPARE(server.connectionCount(), 0);
}

void TestHttpClient::redirectIsFollowedAfterClose() {
    RecordingServer first;
    RecordingServer second;
    first.queueResponse({"HTTP/1.0 302 Moved\r\nLOCATION:   /moved?a=1\r\n\r\nold page"});
    first.queueResponse(
        {"HTTP/1.0 301 Moved\r\nlocation: http://" + second.hostPort().toLatin1() + "/final\r\n\r\n"});
    second.setReply("HTTP/1.0 200 OK\r\n\r\nthe end");
    THttpCli http;
    http.setURL(first.hostPort() + "/start");
    const Outcome outcome = perform(http, false);
    QVERIFY2(outcome.ok, qPrintable(outcome.reason));
    QCOMPARE(outcome.body, QByteArray("the end"));
    QVERIFY(first.requests().at(1).startsWith("GET /moved?a=1 HTTP/1.0\r\n"));
    QVERIFY(second.lastRequest().startsWith("GET /final HTTP/1.0\r\n"));
    QCOMPARE(http.URL(), first.hostPort() + "/start");

    RecordingServer loop;
    loop.setReply("HTTP/1.0 302 Again\r\nLocation: /again\r\n\r\n");
    http.setURL(loop.hostPort() + "/again");
    const Outcome endless = perform(http, false);
    QVERIFY(!endless.ok);
    QCOMPARE(endless.reason, QString("too many redirects"));
}

void TestHttpClient::abortDuringResolve() {
    THttpCli http;
    http.setURL("nohost.invalid/x");
    QTimer::singleShot(0, &http, [&] { http.Abort(); });
    const Outcome outcome = perform(http, false);
    QCOMPARE(outcome.status, 404);
    QCOMPARE(outcome.reason, QString("Connection aborted on request"));
}

void TestHttpClient::abortDuringBody() {
    RecordingServer server;
    server.setResponse({"HTTP/1.0 200 OK\r\n\r\nhalf of it", false});
    THttpCli http;
    http.setURL(server.hostPort() + "/x");
    connect(&server, &RecordingServer::answered, &http,
            [&] { QTimer::singleShot(50, &http, [&] { http.Abort(); }); });
    const Outcome outcome = perform(http, false);
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.status, 404);
    QCOMPARE(outcome.reason, QString("Connection aborted on request"));
    QVERIFY(!http.isBusy());
    http.Abort(); // on a ready instance: nothing happens
    QVERIFY(!http.isBusy());
}

void TestHttpClient::busyWhileTimerStartsSecondRequest() {
    RecordingServer slow;
    slow.setResponse({"HTTP/1.0 200 OK\r\n\r\nfirst", false});
    RecordingServer other;
    other.setReply("HTTP/1.0 200 OK\r\n\r\nother");
    THttpCli http;
    http.setURL(slow.hostPort() + "/slow");
    THttpCli otherHttp;
    otherHttp.setURL(other.hostPort() + "/other");

    QString refusal;
    Outcome nested;
    connect(&slow, &RecordingServer::answered, &http, [&] {
        QTimer::singleShot(0, &http, [&] {
            try {
                http.Get();
            } catch (const EHttpException& failure) {
                refusal = failure.reason();
            }
            nested = perform(otherHttp, false); // another instance runs inside the wait
            slow.closeStalled();
        });
    });
    const Outcome outcome = perform(http, false);
    QCOMPARE(refusal, QString("HTTP component is busy"));
    QVERIFY(nested.ok);
    QCOMPARE(nested.body, QByteArray("other"));
    QVERIFY2(outcome.ok, qPrintable(outcome.reason));
    QCOMPARE(outcome.body, QByteArray("first"));
    QCOMPARE(slow.connectionCount(), 1);
}

void TestHttpClient::urlStaysAfterOperation() {
    RecordingServer server;
    server.setReply("HTTP/1.0 200 OK\r\n\r\n");
    THttpCli http;
    const QString url = server.hostPort() + "/cgi-bin/getbteam-1.exe";
    http.setURL(url);
    http.setRequestBody("x");
    QVERIFY(perform(http, true).ok);
    QCOMPARE(http.URL(), url);
    QVERIFY(perform(http, true).ok); // the body stays set for a repeat
    QCOMPARE(server.connectionCount(), 2);
}

void TestHttpClient::destroyedWhileWaiting() {
    RecordingServer server;
    server.setResponse({"HTTP/1.0 200 OK\r\n\r\nnever ends", false});
    auto* http = new THttpCli;
    http->setURL(server.hostPort() + "/x");
    connect(&server, &RecordingServer::answered, http, [&] { QTimer::singleShot(0, [&] { delete http; }); });
    try {
        http->Get();
        QFAIL("a destroyed client reported success");
    } catch (const EHttpException& failure) {
        QCOMPARE(failure.reason(), QString("Connection aborted on request"));
    }
}

void TestHttpClient::bodyLimit_data() {
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<bool>("ok");
    QTest::newRow("at the limit") << QByteArrayList{"HTTP/1.0 200 OK\r\n\r\n12345", "67890"} << true;
    QTest::newRow("one byte over") << QByteArrayList{"HTTP/1.0 200 OK\r\n\r\n12345", "678901"} << false;
    QTest::newRow("html reply over") << QByteArrayList{"<html>12345678901"} << false;
}

void TestHttpClient::bodyLimit() {
    QFETCH(QByteArrayList, chunks);
    QFETCH(bool, ok);
    HttpReplyParser parser(10);
    bool accepted = true;
    for (const QByteArray& chunk : chunks)
        accepted = parser.feed(chunk) && accepted;
    QCOMPARE(accepted, ok);
    QCOMPARE(parser.failed(), !ok);
    QCOMPARE(parser.error(), ok ? QString() : QString("reply too large"));
    QVERIFY(HttpReplyParser::kMaxBodySize == qsizetype(16) * 1024 * 1024);
}

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
