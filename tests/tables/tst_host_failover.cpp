#include "ClosedHosts.h"
#include "DialogDriver.h"
#include "DrawGrid.h"
#include "FakeSeams.h"
#include "RawExchange.h"
#include "ReplyLayout.h"
#include "SelectDialog.h"
#include "ServiceProcess.h"
#include "THttpCli.h"
#include "TableWindow.h"

#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QStringDecoder>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <future>
#include <memory>
#include <thread>

using namespace statdesk;
using namespace statdesk::test;

namespace {

// Every byte a host ("address:port") answers to request, read until it closes.
QByteArray exchangeDirectly(const QString& host, const QByteArray& request) {
    const QStringList hostPort = host.split(':');
    return exchangeRaw(hostPort.value(0), hostPort.value(1).toUShort(), request);
}

// The reply body of a query posted straight to a service.
QByteArray postDirectly(const QString& host, const QString& path, const QByteArray& body) {
    const QByteArray received = exchangeDirectly(
        host, "POST " + path.toLatin1() + " HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\n\r\n" + body);
    if (!received.startsWith("HTTP/1.1 200 ") && !received.startsWith("HTTP/1.0 200 "))
        return {};
    return received.mid(received.indexOf("\r\n\r\n") + 4);
}

QList<QByteArray> replyLines(const QByteArray& body) {
    QList<QByteArray> lines = body.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.pop_back();
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return lines;
}

// Where record (1-based, 0 the totals) of the window differs from the reply's field lines, or "".
QString recordMismatch(const RowCache& rows, int record, const QList<QByteArray>& fields) {
    const auto layout = replyFields(rows.family());
    if (fields.size() != qsizetype(layout.size()))
        return QStringLiteral("record %1: %2 fields in the direct reply").arg(record).arg(fields.size());
    for (int f = 0; f < int(layout.size()); ++f) {
        const QByteArray& expected = fields[f];
        if (layout[f].type == FieldType::Text) {
            const QByteArray shown(rows.text(record, f).data(), qsizetype(rows.text(record, f).size()));
            if (shown != expected.left(layout[f].capacity))
                return QStringLiteral("record %1 field %2: '%3', directly '%4'")
                    .arg(record)
                    .arg(f)
                    .arg(QString::fromLatin1(shown), QString::fromLatin1(expected));
        } else if (rows.number(record, f) != expected.toDouble()) {
            return QStringLiteral("record %1 field %2: %3, directly %4")
                .arg(record)
                .arg(f)
                .arg(rows.number(record, f))
                .arg(QString::fromLatin1(expected));
        }
    }
    return {};
}

// The records of page start..start+size and the totals against the same page fetched from host.
QString pageMismatch(const TableWindow& window, const QString& host, int start, int size) {
    const QByteArray head = QByteArray::number(start) + "!" + QByteArray::number(size) + "!300!";
    const QList<QByteArray> lines =
        replyLines(postDirectly(host, datasetPath(window.kind()), head + "\r\n*\r\n\x1a"));
    const int fields = fieldCount(window.family());
    if (lines.size() != 1 + (size + 1) * fields)
        return QStringLiteral("direct reply of %1 lines").arg(lines.size());
    if (window.rows().reportedTotalRows() != lines[0].toLongLong())
        return QStringLiteral("total %1, directly %2").arg(window.rows().reportedTotalRows()).arg(lines[0]);
    for (int i = 0; i <= size; ++i) {
        const int record = i < size ? start + 1 + i : RowCache::TotalsRecord;
        const QString mismatch = recordMismatch(window.rows(), record, lines.mid(1 + i * fields, fields));
        if (!mismatch.isEmpty())
            return mismatch;
    }
    return {};
}

// True once nothing accepts connections on the port any more.
bool refusesConnections(quint16 port) {
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), port);
    return !probe.waitForConnected(3000) && probe.error() == QAbstractSocket::ConnectionRefusedError;
}

// The state letter of a process ("T" when stopped), from its stat file.
QByteArray processState(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = stat.readAll();
    return text.mid(text.lastIndexOf(')') + 2, 1);
}

// Stands as the opening host in front of a service and passes its replies on whole, until it is
// told to cut: then it sends the first half of the next reply and drops the connection, as a host
// that dies in the middle of its answer. It serves from a thread of its own, with blocking sockets,
// while the window waits in its event loop.
class CuttingRelay {
  public:
    explicit CuttingRelay(QString target) : m_target(std::move(target)) {
        std::promise<quint16> listening;
        std::future<quint16> port = listening.get_future();
        m_thread = std::thread([this, &listening] { run(listening); });
        m_port = port.get();
    }
    ~CuttingRelay() {
        m_stop = true;
        m_thread.join();
    }
    QString host() const { return QStringLiteral("127.0.0.1:") + QString::number(m_port); }
    bool isListening() const { return m_port != 0; }

    std::atomic<bool> cutNext = false;
    std::atomic<int> cutReplies = 0;
    std::atomic<int> wholeReplies = 0;

  private:
    static bool wholeRequest(const QByteArray& request) {
        const qsizetype headEnd = request.indexOf("\r\n\r\n");
        if (headEnd < 0)
            return false;
        const qsizetype at = request.indexOf("Content-Length: ");
        const qsizetype length =
            at < 0 ? 0 : request.mid(at + 16, request.indexOf('\r', at) - at - 16).toLongLong();
        return request.size() >= headEnd + 4 + length;
    }

    void run(std::promise<quint16>& listening) {
        QTcpServer server;
        listening.set_value(server.listen(QHostAddress::LocalHost, 0) ? server.serverPort() : 0);
        while (!m_stop) {
            if (!server.waitForNewConnection(50))
                continue;
            std::unique_ptr<QTcpSocket> client(server.nextPendingConnection());
            QByteArray request;
            while (!wholeRequest(request) && client->waitForReadyRead(5000))
                request += client->readAll();
            const QByteArray reply = exchangeDirectly(m_target, request);
            const bool cut = cutNext.exchange(false);
            client->write(cut ? reply.left(reply.size() / 2) : reply);
            while (client->bytesToWrite() > 0 && client->waitForBytesWritten(5000)) {
            }
            ++(cut ? cutReplies : wholeReplies);
            client->disconnectFromHost();
            if (client->state() != QAbstractSocket::UnconnectedState)
                client->waitForDisconnected(1000);
        }
    }

    QString m_target;
    quint16 m_port = 0;
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

} // namespace

class TestHostFailover : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void scrollingGoesOnAtTheSecondHost_data();
    void scrollingGoesOnAtTheSecondHost();
    void hostDyingInItsReplyFailsOver_data();
    void hostDyingInItsReplyFailsOver();
    void selectListComesFromTheSecondHost_data();
    void selectListComesFromTheSecondHost();

  private:
    TableWindow* open(DatasetKind kind);
    // Kills the opening host's service and checks that it is gone.
    bool killOpeningHost();

    std::unique_ptr<ServiceProcess> m_opening;
    std::unique_ptr<ServiceProcess> m_second;
    std::unique_ptr<ServiceProcess> m_primary;
    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<QMdiArea> m_area;
};

void TestHostFailover::initTestCase() {
    if (!QFile::exists(ServiceProcess::builtDatabase()))
        QSKIP("the statistics database is not built (target statdesk_db)");
    m_second = std::make_unique<ServiceProcess>(ServiceProcess::builtDatabase());
    m_primary = std::make_unique<ServiceProcess>(ServiceProcess::builtDatabase());
    QVERIFY2(m_second->isRunning(), qPrintable(m_second->errorString()));
    QVERIFY2(m_primary->isRunning(), qPrintable(m_primary->errorString()));
}

void TestHostFailover::init() {
    m_opening = std::make_unique<ServiceProcess>(ServiceProcess::builtDatabase());
    QVERIFY2(m_opening->isRunning(), qPrintable(m_opening->errorString()));
    pointHostsAtClosedPort();
    qputenv("STATDESK_HOSTS",
            (m_opening->host() + "," + m_second->host() + "," + m_primary->host()).toLatin1());
    m_presenter = std::make_unique<RecordingPresenter>();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1024, 700);
    m_area->show();
}

void TestHostFailover::cleanup() {
    m_area.reset();
    m_presenter.reset();
    m_opening.reset();
    pointHostsAtClosedPort();
}

TableWindow* TestHostFailover::open(DatasetKind kind) {
    TableWindowSetup setup;
    setup.kind = kind;
    setup.brandHome = QStringLiteral("www.brand.example");
    return openTableWindow(m_area.get(), setup);
}

bool TestHostFailover::killOpeningHost() {
    const quint16 port = m_opening->port();
    return m_opening->kill() && !m_opening->isRunning() && refusesConnections(port);
}

void TestHostFailover::scrollingGoesOnAtTheSecondHost_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::addColumn<bool>("whileWaiting"); // the host dies while the window waits for its reply
    QTest::newRow("players, between two pages") << DatasetKind::PlayersRegular << false;
    QTest::newRow("teams, between two pages") << DatasetKind::TeamsPlayoffs << false;
    QTest::newRow("players, during the request") << DatasetKind::PlayersPlayoffs << true;
    QTest::newRow("teams, during the request") << DatasetKind::TeamsRegular << true;
}

void TestHostFailover::scrollingGoesOnAtTheSecondHost() {
    QFETCH(DatasetKind, kind);
    QFETCH(bool, whileWaiting);
    TableWindow* window = open(kind);
    DrawGrid* grid = window->DrawGrid1();
    const int size = window->LastPageSize();
    QVERIFY(size > 10);
    grid->setTopRow(grid->topRow() + size); // a second page from the opening host
    const int openingPage = grid->topRow() - 2;
    QVERIFY(window->HttpCli1().URL().startsWith(m_opening->host() + "/"));
    QCOMPARE(pageMismatch(*window, m_primary->host(), openingPage, size), QString());

    bool killedWhileBusy = false;
    if (whileWaiting) {
        // A stopped service still takes the connection and the request into the kernel's queues.
        QCOMPARE(::kill(pid_t(m_opening->processId()), SIGSTOP), 0);
        QTRY_COMPARE(processState(m_opening->processId()), QByteArray("T"));
        QTimer::singleShot(300, window, [&] { killedWhileBusy = window->isBusy() && killOpeningHost(); });
    } else {
        QVERIFY(killOpeningHost());
    }
    grid->setTopRow(grid->topRow() + size);
    QCOMPARE(killedWhileBusy, whileWaiting);
    QVERIFY(!m_opening->isRunning());
    const int failoverPage = grid->topRow() - 2;
    QCOMPARE(failoverPage, openingPage + size);
    QCOMPARE(m_presenter->errors, QStringList());
    QVERIFY(window->HttpCli1().URL().startsWith(m_second->host() + "/"));
    QCOMPARE(pageMismatch(*window, m_primary->host(), failoverPage, size), QString());
    // The page read before the failure is still there, at its place.
    QCOMPARE(pageMismatch(*window, m_primary->host(), openingPage, size), QString());

    // The second host stays the first asked.
    grid->setTopRow(grid->topRow() + size);
    QCOMPARE(m_presenter->errors, QStringList());
    QVERIFY(window->HttpCli1().URL().startsWith(m_second->host() + "/"));
    QCOMPARE(pageMismatch(*window, m_primary->host(), grid->topRow() - 2, size), QString());
    QVERIFY(!window->isBusy());
}

void TestHostFailover::hostDyingInItsReplyFailsOver_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::newRow("players") << DatasetKind::PlayersRegular;
    QTest::newRow("teams") << DatasetKind::TeamsPlayoffs;
}

// Half a page is no page: the window asks the second host and shows its whole answer.
void TestHostFailover::hostDyingInItsReplyFailsOver() {
    QFETCH(DatasetKind, kind);
    CuttingRelay relay(m_opening->host());
    QVERIFY(relay.isListening());
    qputenv("STATDESK_HOSTS", (relay.host() + "," + m_second->host() + "," + m_primary->host()).toLatin1());
    TableWindow* window = open(kind);
    DrawGrid* grid = window->DrawGrid1();
    const int size = window->LastPageSize();
    QVERIFY(size > 10);
    grid->setTopRow(grid->topRow() + size);
    const int openingPage = grid->topRow() - 2;
    QCOMPARE(relay.wholeReplies, 2);
    QVERIFY(window->HttpCli1().URL().startsWith(relay.host() + "/"));
    QCOMPARE(pageMismatch(*window, m_primary->host(), openingPage, size), QString());

    relay.cutNext = true;
    grid->setTopRow(grid->topRow() + size);
    QCOMPARE(relay.cutReplies, 1);
    QCOMPARE(m_presenter->errors, QStringList());
    QVERIFY(window->HttpCli1().URL().startsWith(m_second->host() + "/"));
    QCOMPARE(grid->topRow() - 2, openingPage + size);
    QCOMPARE(pageMismatch(*window, m_primary->host(), openingPage + size, size), QString());
    QCOMPARE(pageMismatch(*window, m_primary->host(), openingPage, size), QString());
}

void TestHostFailover::selectListComesFromTheSecondHost_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::addColumn<ListKind>("list");
    QTest::addColumn<QByteArray>("body"); // the list query as the protocol writes it
    QTest::newRow("players") << DatasetKind::PlayersRegular << ListKind::Players
                             << QByteArray("0!0!A!\r\n*\r\n\x1a");
    QTest::newRow("team years") << DatasetKind::TeamsRegular << ListKind::Years
                                << QByteArray("0!0!C!\r\n*\r\n\x1a");
}

void TestHostFailover::selectListComesFromTheSecondHost() {
    QFETCH(DatasetKind, kind);
    QFETCH(ListKind, list);
    QFETCH(QByteArray, body);
    TableWindow* window = open(kind);
    QVERIFY(window->HttpCli1().URL().startsWith(m_opening->host() + "/"));
    QVERIFY(killOpeningHost());

    // Every line of the direct reply but the first and the last is a value, in Windows-1252.
    const QList<QByteArray> direct = replyLines(postDirectly(m_primary->host(), datasetPath(kind), body));
    QVERIFY(direct.size() > 3);
    QCOMPARE(direct.last(), QByteArray("END"));
    QStringDecoder windows1252("windows-1252");
    QVERIFY(windows1252.isValid());
    QStringList expected;
    for (qsizetype i = 1; i + 1 < direct.size(); ++i)
        expected.append(windows1252.decode(direct[i]));

    TBtnRightDlg1 select;
    DialogDriver driver(&select);
    QStringList shown;
    driver.then([&](QDialog&) {
        shown = itemTexts(select.ListBox1);
        select.CancelBtn->click();
    });
    select.SelectValues(*window, list);
    QCOMPARE(driver.shown(), 1);
    QCOMPARE(m_presenter->errors, QStringList());
    QCOMPARE(shown.size(), expected.size());
    QCOMPARE(shown, expected);
    QVERIFY(window->HttpCli1().URL().startsWith(m_second->host() + "/"));
    QVERIFY(!window->isBusy());
}

QTEST_MAIN(TestHostFailover)
#include "tst_host_failover.moc"
