#include "ClosedHosts.h"
#include "EHttpException.h"
#include "RecordingServer.h"
#include "THttpCli.h"
#include "UsageEvent.h"

#include <QTest>

using namespace statdesk;
using statdesk::test::RecordingServer;

class TestUsageEvent : public QObject {
    Q_OBJECT

  private slots:
    void linesHaveFourFields_data();
    void linesHaveFourFields();
    void secondsAreTruncatedTowardZero_data();
    void secondsAreTruncatedTowardZero();
    void postlineSendsTheLineUnescaped();
    void postlineFailureIsThrown();
};

void TestUsageEvent::linesHaveFourFields_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    const QString home = QStringLiteral("www.brand.example/home");
    QTest::newRow("players in") << UsageEvent::inLine(Family::Players, home, 95)
                                << "IN,basketballplayers,www.brand.example/home,95";
    QTest::newRow("teams in") << UsageEvent::inLine(Family::Teams, home, 0)
                              << "IN,basketballteams,www.brand.example/home,0";
    QTest::newRow("teams click") << UsageEvent::clickLine(Family::Teams, home)
                                 << "CLICK,basketballteams,www.brand.example/home,0";
    QTest::newRow("players url click")
        << UsageEvent::urlClickLine(home) << "URLCLICK,basketballplayers,www.brand.example/home,0";
    QTest::newRow("menu click keeps ? and &")
        << UsageEvent::menuClickLine(QStringLiteral("http://x.example/a?b=1&c=2"), home)
        << "MENUCLICK,http://x.example/a?b=1&c=2,www.brand.example/home,0";
    QTest::newRow("tool click") << UsageEvent::toolClickLine(QStringLiteral("mailto:a@b.example"), home)
                                << "TOOLCLICK,mailto:a@b.example,www.brand.example/home,0";
}

void TestUsageEvent::linesHaveFourFields() {
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(line, expected);
}

void TestUsageEvent::secondsAreTruncatedTowardZero_data() {
    QTest::addColumn<qint64>("milliseconds");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("95.8 s") << qint64(95800) << qint64(95);
    QTest::newRow("under one second") << qint64(999) << qint64(0);
    QTest::newRow("over a day") << qint64(86400000 + 1500) << qint64(86401);
    QTest::newRow("clock set back") << qint64(-1500) << qint64(-1);
}

void TestUsageEvent::secondsAreTruncatedTowardZero() {
    QFETCH(qint64, milliseconds);
    QFETCH(qint64, seconds);
    const QDateTime start(QDate(2026, 3, 1), QTime(23, 59, 59, 500));
    QCOMPARE(UsageEvent::secondsBetween(start, start.addMSecs(milliseconds)), seconds);
}

void TestUsageEvent::postlineSendsTheLineUnescaped() {
    RecordingServer server;
    server.setReply("HTTP/1.0 200 OK\r\nContent-Length: 2\r\n\r\nok");
    test::pointHostsAtClosedPort();
    qputenv("STATDESK_SITE", server.hostPort().toLatin1());
    THttpCli client;
    QByteArray leftover("stale");
    client.setReplyBuffer(&leftover);
    const QString line = UsageEvent::menuClickLine(QStringLiteral("http://x.example/a?b=1&c=2"),
                                                   QStringLiteral("www.brand.example"));
    postline(client, line);
    QCOMPARE(server.connectionCount(), 1);
    const QByteArray request = server.lastRequest();
    QVERIFY2(
        request.startsWith("GET /999addlog.asp?Q=MENUCLICK,http://x.example/a?b=1&c=2,www.brand.example,0 "),
        request.constData());
    // The reply body is discarded, not appended to a buffer left from an earlier use.
    QCOMPARE(leftover, QByteArray("stale"));
    test::pointHostsAtClosedPort();
}

void TestUsageEvent::postlineFailureIsThrown() {
    test::pointHostsAtClosedPort();
    THttpCli client;
    try {
        postline(client, UsageEvent::clickLine(Family::Teams, QStringLiteral("h")));
        QFAIL("an event to a closed port reported as sent");
    } catch (const EHttpException& failure) {
        QCOMPARE(failure.statusCode(), 404);
        QVERIFY2(failure.reason().startsWith("can't connect: Connection refused (Error #"),
                 qPrintable(failure.reason()));
    }
}

QTEST_MAIN(TestUsageEvent)
#include "tst_usageevent.moc"
