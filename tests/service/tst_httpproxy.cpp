#include "EHttpException.h"
#include "ProxyServer.h"
#include "RecordingServer.h"
#include "THttpCli.h"

#include <QMap>
#include <QTest>

using namespace statdesk;
using statdesk::test::ProxyServer;
using statdesk::test::RecordingServer;

// Requests through a real HTTP proxy that asks for Basic credentials.
class TestHttpProxy : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void passesThroughWithCredentials_data();
    void passesThroughWithCredentials();
    void wrongPasswordFailsWithProxyStatus();

  private:
    ProxyServer m_proxy{"statdesk", "s3cretword"};
};

void TestHttpProxy::initTestCase() {
    QString error;
    QVERIFY2(m_proxy.start(error), qPrintable(error));
}

void TestHttpProxy::passesThroughWithCredentials_data() {
    QTest::addColumn<bool>("post");
    QTest::addColumn<bool>("portInProxyName");
    QTest::newRow("get, port setting") << false << false;
    QTest::newRow("post, port in the proxy name") << true << true;
}

void TestHttpProxy::passesThroughWithCredentials() {
    QFETCH(bool, post);
    QFETCH(bool, portInProxyName);
    RecordingServer target;
    target.setReply("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n12\r\nline two\r\n");
    THttpCli http;
    http.setURL(target.hostPort() + "/cgi-bin/getbteam-1.exe?x=a,b:c");
    if (portInProxyName) {
        http.setProxy("http://127.0.0.1:" + QString::number(m_proxy.port()));
    } else {
        http.setProxy("127.0.0.1");
        http.setProxyPort(QString::number(m_proxy.port()));
    }
    http.setProxyUsername("statdesk");
    http.setProxyPassword("s3cretword");
    const QByteArray body = "0!0!C!\r\n*\r\n\x1a";
    http.setRequestBody(body);
    QByteArray reply;
    http.setReplyBuffer(&reply);
    try {
        post ? http.Post() : http.Get();
    } catch (const EHttpException& failure) {
        QFAIL(qPrintable(failure.reason() + " / proxy log: " + m_proxy.log()));
    }
    QCOMPARE(http.StatusCode(), 200);
    QCOMPARE(reply, QByteArray("12\r\nline two\r\n"));

    QCOMPARE(target.connectionCount(), 1);
    const QByteArray request = target.lastRequest();
    const QByteArray method = post ? "POST" : "GET";
    QVERIFY2(request.startsWith(QByteArray(method + " /cgi-bin/getbteam-1.exe?x=a,b:c HTTP/1.")),
             request.constData());
    QVERIFY(request.contains("\r\nHost: 127.0.0.1"));
    QVERIFY(!request.toLower().contains("proxy-authorization"));
    if (post)
        QVERIFY(request.endsWith(QByteArray("\r\n\r\n" + body)));
}

void TestHttpProxy::wrongPasswordFailsWithProxyStatus() {
    RecordingServer target;
    target.setReply("HTTP/1.0 200 OK\r\n\r\nnever");
    THttpCli http;
    http.setURL(target.hostPort() + "/x");
    http.setProxy("127.0.0.1");
    http.setProxyPort(QString::number(m_proxy.port()));
    http.setProxyUsername("statdesk");
    http.setProxyPassword("wrong");
    QByteArray reply;
    http.setReplyBuffer(&reply);
    try {
        http.Get();
        QFAIL("the proxy let a wrong password through");
    } catch (const EHttpException& failure) {
        // Proxies answer 407; this one answers 401. Either way the proxy's own status line decides.
        const QMap<int, QString> refusals{{401, "Unauthorized"}, {407, "Proxy Authentication Required"}};
        QVERIFY2(refusals.contains(failure.statusCode()), qPrintable(QString::number(failure.statusCode())));
        QCOMPARE(failure.reason(), refusals.value(failure.statusCode()));
        QCOMPARE(http.StatusCode(), failure.statusCode());
    }
    QVERIFY(reply.isEmpty());
    QCOMPARE(target.connectionCount(), 0);
}

QTEST_GUILESS_MAIN(TestHttpProxy)
#include "tst_httpproxy.moc"
