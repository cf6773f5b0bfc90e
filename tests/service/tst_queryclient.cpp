#include "ClosedHosts.h"
#include "EHttpException.h"
#include "RecordingServer.h"
#include "StatsQueryClient.h"
#include "THttpCli.h"

#include <QTcpServer>
#include <QTest>

using namespace statdesk;
using statdesk::test::RecordingServer;

namespace {

// A complete one-row player page: total, a row block and a totals block.
QByteArray playerPage(int total, const QByteArray& name) {
    QByteArrayList lines{QByteArray::number(total)};
    for (const QByteArray& rowName : {name, QByteArray("TOTALS")}) {
        for (const ReplyField& field : replyFields(Family::Players))
            lines.append(field.type == FieldType::Text ? rowName : QByteArray("7"));
    }
    return "HTTP/1.0 200 OK\r\n\r\n" + lines.join("\r\n") + "\r\n";
}

const QByteArray kUnavailable = "HTTP/1.0 503 Service Unavailable\r\n\r\n";

} // namespace

// The page and list queries with their three hosts.
class TestQueryClient : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void secondHostAnswersAndStays();
    void shortReplyCountsAsAnswered();
    void allHostsFailKeepsRows();
    void listQueryFallsBackAndGivesUp();

  private:
    RecordingServer* m_opening = nullptr;
    RecordingServer* m_second = nullptr;
    RecordingServer* m_primary = nullptr;
    std::unique_ptr<THttpCli> m_http;
    RequestState m_state;
};

void TestQueryClient::init() {
    delete m_opening;
    delete m_second;
    delete m_primary;
    m_opening = new RecordingServer(this);
    m_second = new RecordingServer(this);
    m_primary = new RecordingServer(this);
    test::pointHostsAtClosedPort();
    qputenv("STATDESK_HOSTS",
            (m_opening->hostPort() + "," + m_second->hostPort() + "," + m_primary->hostPort()).toLatin1());
    m_http = std::make_unique<THttpCli>();
    m_http->setURL(endpointUrl(DatasetKind::PlayersPlayoffs, hosts::StatisticsHost::Opening));
    m_state = RequestState();
    m_state.PageStart = 4;
    m_state.PageSize = 1;
}

void TestQueryClient::secondHostAnswersAndStays() {
    m_opening->setReply(kUnavailable);
    m_second->setReply(playerPage(120, "Second Host"));
    m_primary->setReply(playerPage(1, "Primary Host"));
    RowCache rows(Family::Players, 30000);

    const PageReadResult result = FetchPageWithFallback(*m_http, DatasetKind::PlayersPlayoffs, m_state, rows);
    QVERIFY(result.complete);
    QCOMPARE(rows.text(5, 0), std::string_view("Second Host"));
    QCOMPARE(rows.GridLineCount(), 121);
    QCOMPARE(m_http->URL(), m_second->hostPort() + "/cgi-bin/getbplayer2-1.exe");
    QVERIFY(m_second->lastRequest().startsWith("POST /cgi-bin/getbplayer2-1.exe HTTP/1.0\r\n"));
    QVERIFY(m_second->lastRequest().endsWith("\r\n\r\n4!1!300!\r\n*\r\n\x1a"));

    m_state.PageStart = 5;
    FetchPageWithFallback(*m_http, DatasetKind::PlayersPlayoffs, m_state, rows);
    QCOMPARE(m_opening->connectionCount(), 1);
    QCOMPARE(m_second->connectionCount(), 2);
    QCOMPARE(m_primary->connectionCount(), 0);
    QCOMPARE(rows.text(6, 0), std::string_view("Second Host"));
}

void TestQueryClient::shortReplyCountsAsAnswered() {
    m_opening->setReply("HTTP/1.0 200 OK\r\n\r\n30\r\nShort\r\nNBA\r\n");
    RowCache rows(Family::Players, 30000);
    const PageReadResult result = FetchPageWithFallback(*m_http, DatasetKind::PlayersPlayoffs, m_state, rows);
    QVERIFY(!result.complete);
    QCOMPARE(rows.text(5, 1), std::string_view("NBA"));
    QCOMPARE(rows.GridLineCount(), 31);
    QCOMPARE(m_second->connectionCount(), 0);
}

void TestQueryClient::allHostsFailKeepsRows() {
    m_opening->setReply(playerPage(50, "Kept"));
    RowCache rows(Family::Players, 30000);
    FetchPageWithFallback(*m_http, DatasetKind::PlayersPlayoffs, m_state, rows);

    quint16 closed = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        closed = probe.serverPort();
    }
    m_http->setURL("127.0.0.1:" + QString::number(closed) + "/cgi-bin/getbplayer2-1.exe");
    m_second->setResponse({QByteArray(), true, false});
    m_primary->setReply("HTTP/1.0 500 Primary Down\r\n\r\n");
    m_state.PageStart = 0;
    try {
        FetchPageWithFallback(*m_http, DatasetKind::PlayersPlayoffs, m_state, rows);
        QFAIL("three failed hosts reported as answered");
    } catch (const EHttpException& failure) {
        QCOMPARE(failure.statusCode(), 500);
        QCOMPARE(failure.reason(), QString("Primary Down"));
    }
    QCOMPARE(m_second->connectionCount(), 1);
    QCOMPARE(m_primary->connectionCount(), 1);
    QCOMPARE(rows.text(5, 0), std::string_view("Kept"));
    QCOMPARE(rows.text(RowCache::TotalsRecord, 0), std::string_view("TOTALS"));
    QCOMPARE(rows.GridLineCount(), 51);
    QVERIFY(!m_http->isBusy());
}

void TestQueryClient::listQueryFallsBackAndGivesUp() {
    m_opening->setReply(kUnavailable);
    m_second->setReply("HTTP/1.0 200 OK\r\n\r\n2\r\n7475\r\n7576\r\nEND\r\n");
    const std::optional<QStringList> values =
        FetchList(*m_http, DatasetKind::TeamsRegular, ListKind::Years, {"BBOS", "*"});
    QVERIFY(values.has_value());
    QCOMPARE(*values, (QStringList{"7475", "7576"}));
    QVERIFY(m_second->lastRequest().startsWith("POST /cgi-bin/getbteam-1.exe HTTP/1.0\r\n"));
    QVERIFY(m_second->lastRequest().endsWith("\r\n\r\n0!0!C!\r\nBBOS\r\n*\r\n\x1a"));

    m_second->setReply(kUnavailable);
    m_primary->setReply(kUnavailable);
    QVERIFY(!FetchList(*m_http, DatasetKind::TeamsRegular, ListKind::Years, {}).has_value());
    // The URL already named the second host, which is then tried again in its own turn.
    QCOMPARE(m_second->connectionCount(), 3);
    QCOMPARE(m_primary->connectionCount(), 1);
}

QTEST_GUILESS_MAIN(TestQueryClient)
#include "tst_queryclient.moc"
