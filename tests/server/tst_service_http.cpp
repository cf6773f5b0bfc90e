#include "FixtureDatabase.h"
#include "RawExchange.h"
#include "ReplyLayout.h"
#include "ServiceProcess.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace statdesk;

namespace {

struct Reply {
    int status = 0;
    QByteArray reason;
    QByteArray body;
};

// One exchange the way the client makes it: HTTP/1.0, the body read until the server closes.
Reply exchange(quint16 port, const QByteArray& request) {
    const QByteArray received = test::exchangeRaw(QStringLiteral("127.0.0.1"), port, request);
    Reply reply;
    const qsizetype headerEnd = received.indexOf("\r\n\r\n");
    const QByteArray statusLine = received.left(received.indexOf("\r\n"));
    reply.status = statusLine.mid(9, 3).toInt();
    reply.reason = statusLine.mid(13);
    reply.body = headerEnd < 0 ? QByteArray() : received.mid(headerEnd + 4);
    return reply;
}

QByteArray post(const QByteArray& path, const QByteArray& body) {
    return "POST " + path +
           " HTTP/1.0\r\nAccept: */*\r\nContent-Type: application/x-www-form-urlencoded\r\n"
           "User-Agent: Mozilla/3.0 (compatible)\r\nHost: 127.0.0.1\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray get(const QByteArray& target) {
    return "GET " + target + " HTTP/1.0\r\nAccept: */*\r\nHost: 127.0.0.1\r\n\r\n";
}

QList<QByteArray> lines(const QByteArray& body) {
    QList<QByteArray> result = body.split('\n');
    if (!result.isEmpty() && result.back().isEmpty())
        result.pop_back();
    for (QByteArray& line : result) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return result;
}

} // namespace

class ServiceHttpTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void pageRepliesHaveFullLength_data();
    void pageRepliesHaveFullLength();
    void listReplyIsFramed();
    void refusedRequests_data();
    void refusedRequests();
    void usageEventsAreStoredAsSent();
    void siteTextsComeFromTheConfiguration();
    void silentClientDoesNotHoldOthersUp();
    void healthSaysOkWhileServing();

  private:
    QTemporaryDir m_folder;
    std::unique_ptr<test::ServiceProcess> m_service;
};

void ServiceHttpTest::initTestCase() {
    QVERIFY(m_folder.isValid());
    const QString database = m_folder.filePath("fixture.db");
    test::writeFixtureDatabase(database);
    const QString config = m_folder.filePath("site.conf");
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# test site\nversion 2 www.one.example 200\nversion 2 www.two.example 201\n"
               "brand www.one.example 3 http://ads.example/b?n= http://ads.example/c - \n"
               "notice First line\nnotice <URL>\n");
    file.close();
    m_service = std::make_unique<test::ServiceProcess>(database, QStringList{"--config", config});
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

void ServiceHttpTest::pageRepliesHaveFullLength_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<int>("fields");
    QTest::newRow("players regular") << QByteArray("/cgi-bin/getbplayer-1.exe") << QByteArray("0!20!300!")
                                     << 12 << 20 << kPlayerFieldCount;
    QTest::newRow("players playoffs")
        << QByteArray("/cgi-bin/getbplayer2-1.exe") << QByteArray("2!5!B!1!128!")
        << int(test::kPlayoffKeyLimit) << 5 << kPlayerFieldCount;
    QTest::newRow("teams regular") << QByteArray("/cgi-bin/getbteam-1.exe") << QByteArray("1!3!Z!0!1!2!300!")
                                   << 4 << 3 << kTeamFieldCount;
    QTest::newRow("teams playoffs") << QByteArray("/cgi-bin/getbteam2-1.exe") << QByteArray("0!0!60!") << 3
                                    << 0 << kTeamFieldCount;
}

void ServiceHttpTest::pageRepliesHaveFullLength() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, head);
    QFETCH(int, pageSize);
    QFETCH(int, fields);
    const Reply reply = exchange(m_service->port(), post(path, head + "\r\n*\r\n\x1a"));
    QCOMPARE(reply.status, 200);
    const auto body = lines(reply.body);
    QCOMPARE(body.size(), 1 + (pageSize + 1) * fields);
    QTEST(body[0].toInt(), "total");
    QVERIFY(reply.body.endsWith("\r\n"));
}

void ServiceHttpTest::listReplyIsFramed() {
    const Reply reply = exchange(m_service->port(),
                                 post("/cgi-bin/getbteam-1.exe", "0!0!C!\r\nBBoston Celtics\r\n*\r\n\x1a"));
    QCOMPARE(reply.status, 200);
    QCOMPARE(lines(reply.body), (QList<QByteArray>{"2", "7475", "9900", "END"}));
}

void ServiceHttpTest::refusedRequests_data() {
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");
    const QByteArray players = "/cgi-bin/getbplayer-1.exe";
    const auto page = [&](const QByteArray& body) { return post(players, body); };
    QTest::newRow("no end byte") << page("0!20!300!\r\n*\r\n") << 400
                                 << QByteArray("Request does not end with byte 26");
    QTest::newRow("bytes after the end")
        << page("0!20!300!\r\n*\r\n\x1a\x1a") << 400 << QByteArray("Control byte inside the request");
    QTest::newRow("bare line feeds") << page("0!20!300!\n*\n\x1a") << 400
                                     << QByteArray("Request line without CR LF");
    QTest::newRow("bare CR inside") << page("0!20!300!\r*\r\n\x1a") << 400
                                    << QByteArray("Bare CR or LF in the request");
    QTest::newRow("no criteria line")
        << page("0!20!300!\r\n\x1a") << 400 << QByteArray("Request without criteria lines");
    QTest::newRow("short head") << page("0!20!\r\n*\r\n\x1a") << 400 << QByteArray("Head line too short");
    QTest::newRow("head without bang")
        << page("0!20!300\r\n*\r\n\x1a") << 400 << QByteArray("Head line does not end with \"!\"");
    QTest::newRow("negative start") << page("-1!20!300!\r\n*\r\n\x1a") << 400 << QByteArray("Bad page start");
    QTest::newRow("page size text") << page("0!x!300!\r\n*\r\n\x1a") << 400 << QByteArray("Bad page size");
    QTest::newRow("page size over 1000")
        << page("0!1001!300!\r\n*\r\n\x1a") << 413 << QByteArray("Page size over 1000");
    QTest::newRow("missing sort code")
        << page("0!20!B!1!\r\n*\r\n\x1a") << 400 << QByteArray("Wrong number of sort codes");
    QTest::newRow("sort code text") << page("0!20!1a!\r\n*\r\n\x1a") << 400 << QByteArray("Bad sort code");
    QTest::newRow("list with a page")
        << page("0!5!C!\r\n*\r\n\x1a") << 400 << QByteArray("List query with a page");
    QTest::newRow("player list of teams") << post("/cgi-bin/getbteam-1.exe", "0!0!A!\r\n*\r\n\x1a") << 400
                                          << QByteArray("No player list in a team dataset");
    QTest::newRow("unknown letter") << page("0!20!300!\r\nX1\r\n*\r\n\x1a") << 400
                                    << QByteArray("Unknown criterion letter");
    QTest::newRow("empty criterion") << page("0!20!300!\r\n\r\n*\r\n\x1a") << 400
                                     << QByteArray("Empty criterion line");
    QTest::newRow("limit column out of range")
        << page("0!20!300!\r\nE76!1!2!\r\n*\r\n\x1a") << 400 << QByteArray("Limit column out of range");
    QTest::newRow("limit without maximum")
        << page("0!20!300!\r\nE7\r\n*\r\n\x1a") << 400 << QByteArray("Bad limit line");
    QTest::newRow("line over 50") << page("0!20!300!\r\nA" + QByteArray(50, 'x') + "\r\n*\r\n\x1a") << 400
                                  << QByteArray("Criterion line over 50 characters");
    QTest::newRow("over 500 lines") << page("0!20!300!\r\n" + QByteArray("*\r\n").repeated(501) + "\x1a")
                                    << 413 << QByteArray("Over 500 criteria lines");
    QTest::newRow("body over 64 KiB") << page("0!20!300!\r\n" + QByteArray(70000, '*') + "\x1a") << 413
                                      << QByteArray("Request body over 64 KiB");
    QTest::newRow("unknown path") << post("/cgi-bin/getbplayer3-1.exe", "0!20!300!\r\n*\r\n\x1a") << 404
                                  << QByteArray("Unknown path");
    QTest::newRow("page endpoint by GET")
        << get("/cgi-bin/getbplayer-1.exe") << 404 << QByteArray("Unknown path");
    QTest::newRow("event without line")
        << get("/999addlog.asp?X=1") << 400 << QByteArray("Usage event without Q");
    QTest::newRow("not HTTP") << QByteArray("HELLO\r\n\r\n") << 400 << QByteArray("Malformed HTTP request");
}

void ServiceHttpTest::refusedRequests() {
    QFETCH(QByteArray, request);
    const Reply reply = exchange(m_service->port(), request);
    QTEST(reply.status, "status");
    // The client shows the reason phrase, so the specific reason must be there, not just in the body.
    QTEST(reply.reason, "reason");
    QTEST(lines(reply.body).value(0), "reason");
    // The service is still there for the next request.
    QCOMPARE(exchange(m_service->port(), get("/basketballout.txt")).status, 200);
}

void ServiceHttpTest::usageEventsAreStoredAsSent() {
    const QList<QByteArray> events = {
        "IN,basketballplayers,www.one.example,95",
        "MENUCLICK,http://links.example/page.asp?id=7&x=%41,www.one.example,0",
        "TOOLCLICK,http://a.example/a b?c?d,www.one.example,0",
        "URLCLICK,basketballplayers,caf\xe9\x80.example/#top,0",
        "MENUCLICK,http://x.example/{a}|b^`\"<>\\[],www.one.example,0",
    };
    for (const QByteArray& event : events)
        QCOMPARE(exchange(m_service->port(), get("/999addlog.asp?Q=" + event)).status, 200);
    QFile file(m_service->eventsPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto stored = lines(file.readAll());
    QCOMPARE(stored.size(), events.size());
    for (qsizetype i = 0; i < events.size(); ++i) {
        const auto parts = stored[i].split('\t');
        QCOMPARE(parts.size(), 3);
        QVERIFY2(QDateTime::fromString(QString::fromLatin1(parts[0]), Qt::ISODate).isValid(), parts[0]);
        QCOMPARE(parts[1], QByteArray("127.0.0.1"));
        QCOMPARE(parts[2], events[i]);
    }
}

void ServiceHttpTest::siteTextsComeFromTheConfiguration() {
    QCOMPARE(lines(exchange(m_service->port(), get("/cgi-bin/verread.exe")).body),
             (QList<QByteArray>{"2", "www.one.example", "200", "2", "www.two.example", "201"}));
    QCOMPARE(lines(exchange(m_service->port(), get("/verman.asp")).body),
             (QList<QByteArray>{"www.one.example", "", "3", "http://ads.example/b?n=", "http://ads.example/c",
                                ""}));
    QCOMPARE(lines(exchange(m_service->port(), get("/basketballout.txt")).body),
             (QList<QByteArray>{"First line", "<URL>"}));
}

void ServiceHttpTest::silentClientDoesNotHoldOthersUp() {
    QTcpSocket silent;
    silent.connectToHost(QStringLiteral("127.0.0.1"), m_service->port());
    QVERIFY(silent.waitForConnected(5000));
    silent.write("POST /cgi-bin/getbplayer-1.exe HTTP/1.0\r\nContent-Length: 100\r\n\r\n0!1!");
    silent.flush();
    const Reply reply =
        exchange(m_service->port(), post("/cgi-bin/getbplayer-1.exe", "0!1!300!\r\nAZane Mo\r\n*\r\n\x1a"));
    QCOMPARE(reply.status, 200);
    QCOMPARE(lines(reply.body).value(0), QByteArray("2"));
}

// The load balancer's check: only GET /health, and only 200 with "OK" counts as up.
void ServiceHttpTest::healthSaysOkWhileServing() {
    const Reply reply = exchange(m_service->port(), get("/health"));
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.body, QByteArray("OK\r\n"));
    QCOMPARE(exchange(m_service->port(), post("/health", "")).status, 404);
}

QTEST_GUILESS_MAIN(ServiceHttpTest)
#include "tst_service_http.moc"
