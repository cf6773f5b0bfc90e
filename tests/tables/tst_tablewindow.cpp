#include "BannerSlots.h"
#include "BusyAnimation.h"
#include "ClosedHosts.h"
#include "DrawGrid.h"
#include "EHttpException.h"
#include "FakeSeams.h"
#include "RecordingServer.h"
#include "RowBand.h"
#include "RowSource.h"
#include "ServiceProcess.h"
#include "TFormSort3.h"
#include "THttpCli.h"
#include "TableWindow.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <cerrno>

#include <memory>

using namespace statdesk;
using namespace statdesk::test;

namespace {

void pointHostsAt(const QString& host) {
    qputenv("STATDESK_HOSTS", (host + "," + host + "," + host).toLatin1());
}

} // namespace

class TestTableWindow : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void openingSendsTheFirstPage_data();
    void openingSendsTheFirstPage();
    void onlyATopRowChangeFetches();
    void shorterResultMovesUpAndFetchesInTheSameRefetch();
    void resultBeyondTheCapacityShowsTheCapacity();
    void closingSendsTheInEventAndResetsTheMenu();
    void nothingElseStartsWhileARequestWaits();
    void failureOnAllHostsKeepsTheWindow_data();
    void failureOnAllHostsKeepsTheWindow();
    void activationSwitchesThePlayerCommand();
    void onlyAPlayerWindowResetsTheAlternationKey_data();
    void onlyAPlayerWindowResetsTheAlternationKey();
    void layoutFollowsTheWindowSize_data();
    void layoutFollowsTheWindowSize();
    void closingTheActiveWindowLeavesTheNextOneItsCommands_data();
    void closingTheActiveWindowLeavesTheNextOneItsCommands();
    void clicksOpenAndReportInTheirOrder();
    void realServiceFillsPagesAndStoresTheInEvent();

  private:
    TableWindow* open(DatasetKind kind);
    QStringList events() const;

    std::unique_ptr<RecordingServer> m_service;
    std::unique_ptr<RecordingServer> m_site;
    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<RecordingOpener> m_opener;
    std::unique_ptr<FixedClock> m_clock;
    std::unique_ptr<QMdiArea> m_area;
    std::unique_ptr<TFormSort3> m_sort;
    QList<QAction*> m_actions; // the ten commands, then the four dataset commands
};

void TestTableWindow::init() {
    m_service = std::make_unique<RecordingServer>();
    m_service->setReply(totalOnlyReply(1234));
    m_site = std::make_unique<RecordingServer>();
    m_site->setReply(httpReply("ok"));
    pointHostsAtClosedPort();
    pointHostsAt(m_service->hostPort());
    qputenv("STATDESK_SITE", m_site->hostPort().toLatin1());
    m_presenter = std::make_unique<RecordingPresenter>();
    m_opener = std::make_unique<RecordingOpener>();
    m_clock = std::make_unique<FixedClock>(QDateTime(QDate(2026, 1, 5), QTime(10, 0)));
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1024, 700);
    m_area->show();
    m_sort = std::make_unique<TFormSort3>();
    for (int i = 0; i < 14; ++i) {
        m_actions.append(new QAction(m_area.get()));
        m_actions.last()->setEnabled(i >= 10);
    }
}

void TestTableWindow::cleanup() {
    m_area.reset();
    m_actions.clear();
    m_sort.reset();
    m_clock.reset();
    m_opener.reset();
    m_presenter.reset();
    m_site.reset();
    m_service.reset();
    pointHostsAtClosedPort();
    colorSettings() = ColorSettings{};
}

TableWindow* TestTableWindow::open(DatasetKind kind) {
    TableWindowSetup setup;
    setup.kind = kind;
    setup.brandHome = QStringLiteral("www.brand.example");
    setup.openingCommand = m_actions[10 + static_cast<int>(kind)];
    setup.menu = {m_actions[0], m_actions[1], m_actions[2], m_actions[3], m_actions[4],
                  m_actions[5], m_actions[6], m_actions[7], m_actions[8], m_actions[9]};
    setup.usageEvents = m_sort.get();
    setup.bannerCount = 2;
    setup.bannerClickAddress = QStringLiteral("ads.example/click?slot={&n=}");
    return openTableWindow(m_area.get(), setup);
}

QStringList TestTableWindow::events() const {
    QStringList lines;
    for (const QByteArray& request : m_site->requests()) {
        const QByteArray line = request.left(request.indexOf("\r\n"));
        const QByteArray prefix = "GET /999addlog.asp?Q=";
        lines.append(line.startsWith(prefix)
                         ? QString::fromLatin1(line.mid(prefix.size(), line.lastIndexOf(' ') - prefix.size()))
                         : QString::fromLatin1(line));
    }
    return lines;
}

void TestTableWindow::openingSendsTheFirstPage_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("fixedColumns");
    QTest::addColumn<int>("columns");
    QTest::newRow("players") << DatasetKind::PlayersRegular << "/cgi-bin/getbplayer-1.exe" << 3 << 76;
    QTest::newRow("team playoffs") << DatasetKind::TeamsPlayoffs << "/cgi-bin/getbteam2-1.exe" << 2 << 89;
}

void TestTableWindow::openingSendsTheFirstPage() {
    QFETCH(DatasetKind, kind);
    QFETCH(QString, path);
    QFETCH(int, fixedColumns);
    QFETCH(int, columns);
    TableWindow* window = open(kind);
    DrawGrid* grid = window->DrawGrid1();
    QCOMPARE(m_service->connectionCount(), 1);
    const QByteArray request = m_service->lastRequest();
    QVERIFY(request.startsWith(QByteArray("POST " + path.toLatin1() + " ")));
    const int rows = window->LastPageSize();
    QVERIFY(rows > 10);
    QCOMPARE(rows, grid->visibleRowCount());
    QCOMPARE(bodyOf(request), "0!" + QByteArray::number(rows) + "!300!\r\n*\r\n\x1a");
    QCOMPARE(window->Label1()->text(), QStringLiteral("Total Lines: 1234"));
    QCOMPARE(grid->rowCount(), 1237);
    QCOMPARE(grid->fixedColumns(), fixedColumns);
    QCOMPARE(grid->columnCount(), columns);
    QVERIFY(!m_actions[10 + static_cast<int>(kind)]->isEnabled());
    QVERIFY(!window->isBusy());
}

void TestTableWindow::onlyATopRowChangeFetches() {
    TableWindow* window = open(DatasetKind::PlayersPlayoffs);
    DrawGrid* grid = window->DrawGrid1();
    const int rows = window->LastPageSize();

    grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(m_service->connectionCount(), 2);
    QCOMPARE(headLine(m_service->lastRequest()), "1!" + QByteArray::number(rows) + "!300!");
    QCOMPARE(window->LastTopRow(), 3);

    grid->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    grid->horizontalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QVERIFY(grid->leftColumn() > 3);
    m_area->resize(m_area->width() - 100, m_area->height() + 120);
    QTest::qWait(10);
    QCOMPARE(m_service->connectionCount(), 2);
}

void TestTableWindow::shorterResultMovesUpAndFetchesInTheSameRefetch() {
    TableWindow* window = open(DatasetKind::PlayersRegular);
    DrawGrid* grid = window->DrawGrid1();
    grid->setTopRow(1000);
    QCOMPARE(m_service->connectionCount(), 2);

    m_service->setReply(totalOnlyReply(30));
    window->requestState().appendCriterion(QStringLiteral("C1990"));
    window->requestState().appendCriterion(QStringLiteral("*"));
    window->Refetch();
    // The narrowed query at row 1000, then the page at the top row the shorter grid moved to.
    QCOMPARE(m_service->connectionCount(), 4);
    const QList<QByteArray> requests = m_service->requests();
    QVERIFY(headLine(requests[2]).startsWith("998!"));
    QCOMPARE(grid->rowCount(), 33);
    QVERIFY(grid->topRow() < 1000);
    QCOMPARE(headLine(requests[3]), QByteArray::number(grid->topRow() - 2) + "!" +
                                        QByteArray::number(grid->visibleRowCount()) + "!300!");
    QCOMPARE(bodyOf(requests[3]).mid(headLine(requests[3]).size()), QByteArray("\r\nC1990\r\n*\r\n\x1a"));
    QCOMPARE(window->LastTopRow(), grid->topRow());
    QCOMPARE(window->Label1()->text(), QStringLiteral("Total Lines: 30"));
    QVERIFY(!window->isBusy());
}

void TestTableWindow::resultBeyondTheCapacityShowsTheCapacity() {
    m_service->setReply(totalOnlyReply(40000));
    TableWindow* window = open(DatasetKind::PlayersRegular);
    DrawGrid* grid = window->DrawGrid1();
    QCOMPARE(window->Label1()->text(), QStringLiteral("Total Lines: 40000 (first 30000 shown)"));
    QCOMPARE(grid->rowCount(), 30003);

    // At the end the page stops at the last record, so that the totals block is still read.
    grid->setTopRow(grid->rowCount());
    const int start = grid->topRow() - 2;
    QVERIFY(start + grid->visibleRowCount() > 30000);
    QCOMPARE(headLine(m_service->lastRequest()),
             QByteArray::number(start) + "!" + QByteArray::number(30000 - start) + "!300!");
}

void TestTableWindow::closingSendsTheInEventAndResetsTheMenu() {
    TableWindow* players = open(DatasetKind::PlayersRegular);
    m_clock->advanceSeconds(40);
    TableWindow* teams = open(DatasetKind::TeamsRegular);
    m_clock->advanceSeconds(20);
    open(DatasetKind::PlayersPlayoffs); // a newer player window restarts the players' clock
    m_clock->advanceSeconds(95);
    QSignalSpy closedSpy(players, &TableWindow::closed);

    QVERIFY(players->parentWidget()->close());
    QCOMPARE(events(), QStringList{"IN,basketballplayers,www.brand.example,95"});
    QCOMPARE(closedSpy.size(), 1);
    QVERIFY(m_actions[10]->isEnabled());
    QTest::qWait(10);                   // the closed window is deleted
    QVERIFY(m_actions[4]->isEnabled()); // other windows remain: the commands stay

    m_area->closeAllSubWindows();
    QTest::qWait(10);
    QCOMPARE(events().size(), 3);
    QVERIFY(events().contains("IN,basketballteams,www.brand.example,115"));
    QVERIFY(teams);
    for (int i = 0; i < 10; ++i)
        QVERIFY2(!m_actions[i]->isEnabled(), qPrintable(QString::number(i)));
    for (int i = 10; i < 14; ++i)
        QVERIFY(m_actions[i]->isEnabled());
}

void TestTableWindow::nothingElseStartsWhileARequestWaits() {
    TableWindow* window = open(DatasetKind::TeamsRegular);
    QMdiSubWindow* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    m_service->queueResponse({QByteArray(), false, true}); // holds the next request open
    bool refused = false;
    bool locked = false;
    bool hourglass = false;
    int connections = 0;
    QTimer::singleShot(50, this, [&] {
        window->Refetch(); // as a dialog's OK would
        connections = m_service->connectionCount();
        refused = !frame->close();
        locked = window->DrawGrid1()->inputLocked();
        hourglass =
            QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });
    // A wait long enough to see shows the animation too.
    bool animated = false;
    QTimer::singleShot(400, this, [&] {
        const BusyAnimation* animation = window->findChild<BusyAnimation*>();
        animated = animation->isVisible() && animation->isPlaying();
        m_service->closeStalled();
    });
    const int before = m_service->connectionCount();
    window->DrawGrid1()->setTopRow(10);
    QCOMPARE(connections, before + 1);
    QVERIFY(m_presenter->errors.isEmpty());
    QVERIFY(refused);
    QVERIFY(locked);
    QVERIFY(hourglass);
    QVERIFY(animated);
    QVERIFY(!window->isBusy());
    QVERIFY(!window->findChild<BusyAnimation*>()->isVisible());
    QVERIFY(!window->findChild<BusyAnimation*>()->isPlaying());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(frame->close());
}

void TestTableWindow::failureOnAllHostsKeepsTheWindow_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::addColumn<int>("initialRows");
    QTest::newRow("players") << DatasetKind::PlayersRegular << 250;
    QTest::newRow("teams") << DatasetKind::TeamsPlayoffs << 100;
}

void TestTableWindow::failureOnAllHostsKeepsTheWindow() {
    QFETCH(DatasetKind, kind);
    QFETCH(int, initialRows);
    pointHostsAt(deadHost());
    TableWindow* window = open(kind);
    // The last host's reason: a refused connection, with the system's error number.
    const QString refused = QStringLiteral("can't connect: Connection refused (Error #%1)").arg(ECONNREFUSED);
    QCOMPARE(m_presenter->errors, QStringList{refused});
    QCOMPARE(window->DrawGrid1()->rowCount(), initialRows);
    QCOMPARE(window->Label1()->text(), QStringLiteral("Total Lines: 0"));

    // The service comes back: the next scroll step fetches from the primary host.
    pointHostsAt(m_service->hostPort());
    window->DrawGrid1()->setTopRow(5);
    QCOMPARE(m_presenter->errors.size(), 1);
    QCOMPARE(window->Label1()->text(), QStringLiteral("Total Lines: 1234"));

    pointHostsAt(deadHost());
    window->HttpCli1().setURL(deadHost() + "/cgi-bin/x");
    window->DrawGrid1()->setTopRow(8);
    QCOMPARE(m_presenter->errors, (QStringList{refused, refused}));
    QCOMPARE(window->Label1()->text(), QStringLiteral("Total Lines: 1234"));
    QCOMPARE(window->DrawGrid1()->rowCount(), 1237);
    QVERIFY(!window->isBusy());
}

void TestTableWindow::activationSwitchesThePlayerCommand() {
    TableWindow* players = open(DatasetKind::PlayersRegular);
    QVERIFY(m_actions[0]->isEnabled());
    TableWindow* teams = open(DatasetKind::TeamsRegular);
    QVERIFY(!m_actions[0]->isEnabled());
    for (int i = 1; i < 10; ++i)
        QVERIFY(m_actions[i]->isEnabled());
    m_area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(players->parentWidget()));
    for (int i = 0; i < 10; ++i)
        QVERIFY2(m_actions[i]->isEnabled(), qPrintable(QString::number(i)));
    m_area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(teams->parentWidget()));
    QVERIFY(!m_actions[0]->isEnabled());
    QVERIFY(m_actions[9]->isEnabled());
}

void TestTableWindow::onlyAPlayerWindowResetsTheAlternationKey_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::addColumn<int>("expected");
    QTest::newRow("players") << DatasetKind::PlayersPlayoffs << 0;
    QTest::newRow("teams") << DatasetKind::TeamsRegular << 2;
}

void TestTableWindow::onlyAPlayerWindowResetsTheAlternationKey() {
    QFETCH(DatasetKind, kind);
    QFETCH(int, expected);
    colorSettings().AlternateBy = 2;
    open(kind);
    QCOMPARE(colorSettings().AlternateBy, expected);
}

void TestTableWindow::layoutFollowsTheWindowSize_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::addColumn<int>("image2Left");
    QTest::newRow("players") << DatasetKind::PlayersPlayoffs << 484;
    QTest::newRow("teams") << DatasetKind::TeamsRegular << 480;
}

// Everything below the grid keeps its left position and moves with the bottom of the frame.
void TestTableWindow::layoutFollowsTheWindowSize() {
    QFETCH(DatasetKind, kind);
    QFETCH(int, image2Left);
    TableWindow* window = open(kind);
    QWidget* frame = window->parentWidget();
    const QList<QLabel*> labels = window->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    QLabel* label3 = nullptr;
    QList<QLabel*> images;
    for (QLabel* label : labels) {
        if (label->text() == QStringLiteral("Click here to get on the web at:"))
            label3 = label;
        else if (label->size() == QSize(468, 60))
            images.append(label);
    }
    QVERIFY(label3);
    QCOMPARE(images.size(), 2);
    for (const QSize size : {m_area->viewport()->size(), QSize(700, 480)}) {
        m_area->resize(size + (m_area->size() - m_area->viewport()->size()));
        QTest::qWait(10);
        const int h = frame->height();
        const int w = frame->width();
        QCOMPARE(window->DrawGrid1()->geometry(), QRect(0, 0, w - 30, h - 132));
        QCOMPARE(window->Label1()->pos(), QPoint(104, h - 60));
        QCOMPARE(window->findChild<BusyAnimation*>()->pos(), QPoint(10, h - 60));
        QCOMPARE(label3->pos(), QPoint(270, h - 60));
        QCOMPARE(window->Label2()->pos(), QPoint(475, h - 60));
        QCOMPARE(images[0]->pos(), QPoint(7, h - 122));
        QCOMPARE(images[1]->pos(), QPoint(image2Left, h - 122));
    }
}

void TestTableWindow::closingTheActiveWindowLeavesTheNextOneItsCommands_data() {
    QTest::addColumn<DatasetKind>("remaining");
    QTest::addColumn<DatasetKind>("closed");
    QTest::addColumn<bool>("playerCommand");
    QTest::newRow("team closed, players remain")
        << DatasetKind::PlayersRegular << DatasetKind::TeamsRegular << true;
    QTest::newRow("players closed, teams remain")
        << DatasetKind::TeamsPlayoffs << DatasetKind::PlayersPlayoffs << false;
}

void TestTableWindow::closingTheActiveWindowLeavesTheNextOneItsCommands() {
    QFETCH(DatasetKind, remaining);
    QFETCH(DatasetKind, closed);
    QFETCH(bool, playerCommand);
    TableWindow* next = open(remaining);
    TableWindow* active = open(closed);
    QVERIFY(active->parentWidget()->close());
    QTest::qWait(10); // the closed window is deleted after the next one became active
    QCOMPARE(m_area->activeSubWindow(), next->parentWidget());
    QCOMPARE(m_actions[0]->isEnabled(), playerCommand);
    for (int i = 1; i < 10; ++i)
        QVERIFY2(m_actions[i]->isEnabled(), qPrintable(QString::number(i)));
}

void TestTableWindow::clicksOpenAndReportInTheirOrder() {
    auto* players = static_cast<TForm2A*>(open(DatasetKind::PlayersPlayoffs));
    auto* teams = static_cast<TForm5*>(open(DatasetKind::TeamsRegular));
    bannerSlotNumbers().fill(0);
    bannerSlotNumbers()[2] = 7; // players, playoffs: slots 3 and 4
    bannerSlotNumbers()[3] = 42;

    // Only a left click over the label counts.
    QTest::mouseClick(players->Label2(), Qt::RightButton);
    QTest::mousePress(players->Label2(), Qt::LeftButton);
    QTest::mouseRelease(players->Label2(), Qt::LeftButton, {}, QPoint(-5, -5));
    QVERIFY(m_opener->opened.isEmpty());
    QTest::mouseClick(players->Label2(), Qt::LeftButton);
    teams->Label2Click();
    players->Image2Click();
    QCOMPARE(m_opener->opened,
             (QStringList{"www.brand.example", "www.brand.example", "ads.example/click?slot=42&n=}"}));
    QCOMPARE(events(), (QStringList{"URLCLICK,basketballplayers,www.brand.example,0",
                                    "CLICK,basketballteams,www.brand.example,0",
                                    "CLICK,basketballplayers,www.brand.example,0"}));

    // With the event host down, the first player banner sends before it opens; the others open first.
    qputenv("STATDESK_SITE", deadHost().toLatin1());
    m_opener->opened.clear();
    QVERIFY_THROWS_EXCEPTION(EHttpException, players->Image1Click());
    QVERIFY(m_opener->opened.isEmpty());
    QVERIFY_THROWS_EXCEPTION(EHttpException, players->Image2Click());
    QVERIFY_THROWS_EXCEPTION(EHttpException, teams->Image1Click());
    QCOMPARE(m_opener->opened,
             (QStringList{"ads.example/click?slot=42&n=}", "ads.example/click?slot=0&n=}"}));
}

void TestTableWindow::realServiceFillsPagesAndStoresTheInEvent() {
    const QString db = qEnvironmentVariable("STATDESK_BUILD_DIR") + QStringLiteral("/data/statdesk.db");
    if (!QFile::exists(db))
        QSKIP("the statistics database is not built (target statdesk_db)");
    ServiceProcess service(db);
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    pointHostsAt(service.host());
    qputenv("STATDESK_SITE", service.host().toLatin1());

    TableWindow* window = open(DatasetKind::TeamsRegular);
    const RowCache& rows = window->rows();
    const int total = rows.GridLineCount() - 1;
    QVERIFY(total > 1000);
    QCOMPARE(window->Label1()->text(), QStringLiteral("Total Lines: ") + QString::number(total));
    const int page = window->LastPageSize();
    for (int record = 1; record <= page; ++record)
        QVERIFY(!rows.text(record, 0).empty());
    QVERIFY(rows.text(page + 1, 0).empty());
    QVERIFY(!rows.text(RowCache::TotalsRecord, 0).empty() || rows.number(RowCache::TotalsRecord, 5) != 0);

    // One row further: exactly one more record is filled.
    window->DrawGrid1()->setTopRow(3);
    QVERIFY(!rows.text(page + 1, 0).empty());
    QVERIFY(rows.text(page + 2, 0).empty());

    // The bands the window keeps from reply to reply are those of a computation over its whole cache.
    for (int top : {4, 5, 6, 2 + page, 40, 39})
        window->DrawGrid1()->setTopRow(top);
    std::vector<std::uint8_t> fresh(kRowBandEntries + 1, 0);
    computeRowBands(Family::Teams, colorSettings().AlternateBy, CacheRows(rows), rows.GridLineCount(), fresh);
    QVERIFY(window->RowBand() == fresh);

    m_clock->advanceSeconds(61);
    QVERIFY(window->parentWidget()->close());
    QFile events(service.eventsPath());
    QVERIFY(events.open(QIODevice::ReadOnly));
    QVERIFY(events.readAll().contains("\tIN,basketballteams,www.brand.example,61\n"));
    QVERIFY(m_presenter->errors.isEmpty());
}

QTEST_MAIN(TestTableWindow)
#include "tst_tablewindow.moc"
