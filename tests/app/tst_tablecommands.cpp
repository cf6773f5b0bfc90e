#include "BrandRecord.h"
#include "ClosedHosts.h"
#include "ColorOptionsDialog.h"
#include "DialogDriver.h"
#include "DrawGrid.h"
#include "FakeSeams.h"
#include "LimitDialog.h"
#include "MainWindow.h"
#include "SelectDialog.h"
#include "ServiceProcess.h"
#include "SharedDialogs.h"
#include "StatdeskApplication.h"
#include "TFormSort3.h"
#include "TableWindow.h"
#include "UnhideDialog.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace statdesk;
using statdesk::test::DialogDriver;

namespace {

// Reply fields of a player row, as the service lays them out.
constexpr int kPlayerName = 0;
constexpr int kTeamName = 3;
constexpr int kYear = 4;
constexpr int kPoints = 45;
constexpr int kPointsColumn = 28; // "PTS     - points scored"

QString textOf(const TableWindow& window, int record, int field) {
    const std::string_view text = window.rows().text(record, field);
    return QString::fromLatin1(text.data(), qsizetype(text.size())).trimmed();
}

int pointsOf(const TableWindow& window, int record) {
    return static_cast<int>(window.rows().number(record, kPoints));
}

int resultRows(const TableWindow& window) {
    return window.rows().GridLineCount() - 1;
}

// Chooses the items with these texts in the select dialog and confirms.
DialogDriver::Step choose(const QStringList& texts) {
    return [texts](QDialog& dialog) {
        auto& select = static_cast<TBtnRightDlg1&>(dialog);
        for (const QString& text : texts) {
            const QList<QListWidgetItem*> found = select.ListBox1->findItems(text, Qt::MatchExactly);
            QVERIFY2(!found.isEmpty(), qPrintable(text));
            QListWidgetItem* item = found.first();
            select.ListBox1->scrollToItem(item);
            QTest::mouseClick(select.ListBox1->viewport(), Qt::LeftButton, Qt::NoModifier,
                              select.ListBox1->visualItemRect(item).center());
        }
        select.OKBtn->click();
    };
}

} // namespace

// The table commands of the main window on real table windows, against the project's own service
// with the real data.
class TestTableCommands : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void selectLimitSortAndResetOnRealData();
    void commandsIgnoreOtherWindows();
    void childWindowKeys();

  private:
    TableWindow* openPlayers();

    QTemporaryDir m_folder;
    std::unique_ptr<test::ServiceProcess> m_service;
    std::unique_ptr<test::RecordingPresenter> m_presenter;
    std::unique_ptr<TForm1> m_main;
};

void TestTableCommands::initTestCase() {
    const QString database = test::ServiceProcess::builtDatabase();
    QVERIFY2(QFile::exists(database), "the build makes the database before the tests run");
    m_service = std::make_unique<test::ServiceProcess>(database);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_service->pointClientHere();
    QVERIFY(m_folder.isValid());
    QDir::setCurrent(m_folder.path());
    brandRecord() = BrandRecord{};
    brandRecord().BrandHome = QStringLiteral("brand.example");
}

void TestTableCommands::init() {
    m_presenter = std::make_unique<test::RecordingPresenter>();
    m_main = std::make_unique<TForm1>();
    createSharedDialogs(m_main.get());
    m_main->resize(1280, 1000);
    m_main->show();
}

void TestTableCommands::cleanup() {
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
    m_main.reset();
    m_presenter.reset();
}

void TestTableCommands::cleanupTestCase() {
    test::pointHostsAtClosedPort();
    m_service.reset();
}

TableWindow* TestTableCommands::openPlayers() {
    m_main->action("Regular1")->trigger();
    QMdiSubWindow* frame = m_main->mdiArea()->activeSubWindow();
    return frame ? qobject_cast<TableWindow*>(frame->widget()) : nullptr;
}

void TestTableCommands::selectLimitSortAndResetOnRealData() {
    TableWindow* window = openPlayers();
    QVERIFY(window);
    const int wholeTable = resultRows(*window);
    QVERIFY(wholeTable > 20000);
    const QString wholeLines = window->Label1()->text();
    SharedDialogs& dialogs = sharedDialogs();

    // Two teams: their lines in sorted order, and only their rows come back.
    DialogDriver select(dialogs.BtnRightDlg1);
    select.then(choose({"Chicago Bulls", "Boston Celtics"}));
    m_main->action("Selectteam1")->trigger();
    QCOMPARE(window->requestState().CriteriaList, (QStringList{"BBoston Celtics", "BChicago Bulls", "*"}));
    const int twoTeams = resultRows(*window);
    QVERIFY(twoTeams > 100 && twoTeams < wholeTable);
    const QSet<QString> teams{"Boston Celtics", "Chicago Bulls"};
    QSet<QString> teamsSeen;
    const int page = std::min(twoTeams, window->DrawGrid1()->visibleRowCount());
    QVERIFY(page > 20);
    for (int record = 1; record <= page; ++record)
        teamsSeen.insert(textOf(*window, record, kTeamName));
    QVERIFY2(teams.contains(teamsSeen), qPrintable(QStringList(teamsSeen.values()).join(',')));

    // A year as well: the seasons that match both.
    select.then([&](QDialog& dialog) {
        auto& list = *static_cast<TBtnRightDlg1&>(dialog).ListBox1;
        QVERIFY(!list.findItems(QStringLiteral("9596"), Qt::MatchExactly).isEmpty());
        QVERIFY(list.findItems(QStringLiteral("4647"), Qt::MatchExactly).size() == 1); // the Celtics' first
        choose({"9596"})(dialog);
    });
    m_main->action("Selectyear1")->trigger();
    const int rows = resultRows(*window);
    QVERIFY(rows > 10 && rows <= window->DrawGrid1()->visibleRowCount());
    QList<int> points;
    QSet<QString> bothTeams;
    for (int record = 1; record <= rows; ++record) {
        QCOMPARE(textOf(*window, record, kYear), QStringLiteral("9596"));
        bothTeams.insert(textOf(*window, record, kTeamName));
        points.append(pointsOf(*window, record));
    }
    QCOMPARE(bothTeams, teams);

    // A limit on points, inclusive at both ends, with bounds taken from the rows themselves.
    std::vector<int> sorted(points.begin(), points.end());
    QVERIFY(sorted.back() > 1000); // the season's leading scorers are among them
    std::sort(sorted.begin(), sorted.end());
    const int low = sorted[2];
    const int high = sorted[sorted.size() - 3];
    int expectedRows = 0;
    long long expectedTotal = 0;
    for (int value : points)
        if (value >= low && value <= high) {
            ++expectedRows;
            expectedTotal += value;
        }
    DialogDriver limit(dialogs.BtnRightDlg);
    limit.then([&](QDialog&) {
        TBtnRightDlg& dialog = *dialogs.BtnRightDlg;
        QListWidget* list = dialog.ListBox1;
        QCOMPARE(list->item(kPointsColumn)->text(), QStringLiteral("PTS     - points scored"));
        list->setCurrentRow(kPointsColumn);
        dialog.Edit1->setText(QString::number(low));
        dialog.Edit2->setText(QString::number(high));
        dialog.OKBtn->click();
    });
    m_main->action("Limit1")->trigger();
    QCOMPARE(window->requestState().CriteriaList.mid(3),
             (QStringList{"C9596", "*", QStringLiteral("E28!%1!%2!").arg(low).arg(high), "*"}));
    QCOMPARE(resultRows(*window), expectedRows);
    QCOMPARE(window->Label1()->text(), QStringLiteral("Total Lines: %1").arg(expectedRows));
    long long shownTotal = 0;
    for (int record = 1; record <= expectedRows; ++record) {
        const int value = pointsOf(*window, record);
        QVERIFY(value >= low && value <= high);
        shownTotal += value;
    }
    QCOMPARE(shownTotal, expectedTotal);
    QCOMPARE(static_cast<long long>(window->rows().number(RowCache::TotalsRecord, kPoints)), expectedTotal);

    // Sort by points descending: the rows come back in that order.
    DialogDriver sort(dialogs.FormSort3);
    sort.then([&](QDialog&) {
        TFormSort3& dialog = *dialogs.FormSort3;
        dialog.ComboBoxes[0]->setCurrentIndex(kPointsColumn + 1);
        dialog.Descending[0]->click();
        dialog.Button1->click();
    });
    m_main->action("Sort1")->trigger();
    QCOMPARE(window->requestState().SortCodes, std::vector<int>{kPointsColumn});
    for (int record = 2; record <= expectedRows; ++record)
        QVERIFY(pointsOf(*window, record - 1) >= pointsOf(*window, record));

    // Reset brings back the whole table in the service's order.
    m_main->action("Reset1")->trigger();
    QVERIFY(window->requestState().CriteriaList.isEmpty());
    QCOMPARE(resultRows(*window), wholeTable);
    QCOMPARE(window->Label1()->text(), wholeLines);
    QCOMPARE(sort.shown() + limit.shown() + select.shown(), 4);
}

void TestTableCommands::commandsIgnoreOtherWindows() {
    SharedDialogs& dialogs = sharedDialogs();
    DialogDriver select(dialogs.BtnRightDlg1);
    DialogDriver sort(dialogs.FormSort3);
    DialogDriver unhide(dialogs.Form11);

    m_main->action("Regular2")->trigger(); // a team window: no player selection
    QVERIFY(m_main->mdiArea()->activeSubWindow());
    m_main->action("Selectplayer1")->trigger();
    QCOMPARE(select.shown(), 0);

    auto* document = new QWidget;
    document->setWindowTitle(QStringLiteral("Players statistical definitions"));
    QMdiSubWindow* frame = m_main->mdiArea()->addSubWindow(document);
    frame->show();
    m_main->mdiArea()->setActiveSubWindow(frame);
    for (const char* name : {"Sort1", "Selectteam1", "Unhide1", "Reset1"}) {
        m_main->action(name)->setEnabled(true); // as if left on: the dispatch itself must refuse
        m_main->action(name)->trigger();
    }
    QCOMPARE(select.shown() + sort.shown() + unhide.shown(), 0);
}

void TestTableCommands::childWindowKeys() {
    TableWindow* players = openPlayers();
    QVERIFY(players);
    m_main->action("Regular2")->trigger();
    QMdiArea* area = m_main->mdiArea();
    QCOMPARE(area->subWindowList().size(), 2);
    QMdiSubWindow* teams = area->activeSubWindow();
    QVERIFY(teams != nullptr && teams->widget() != players);

    m_main->activateWindow();
    QTest::keyClick(m_main.get(), Qt::Key_F6, Qt::ControlModifier);
    QCOMPARE(area->activeSubWindow()->widget(), players);
    QTest::keyClick(m_main.get(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(area->activeSubWindow(), teams);

    // Ctrl+F4 goes through the window's own close: the menu entry of its dataset comes back.
    QTest::keyClick(m_main.get(), Qt::Key_F4, Qt::ControlModifier);
    QTRY_COMPARE(area->subWindowList().size(), 1);
    QVERIFY(m_main->action("Regular2")->isEnabled());
    QVERIFY(!m_main->action("Regular1")->isEnabled());
}

int main(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    TestTableCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tablecommands.moc"
