#include "ClosedHosts.h"
#include "ColorOptionsDialog.h"
#include "DialogDriver.h"
#include "DrawGrid.h"
#include "FakeSeams.h"
#include "LimitDialog.h"
#include "RecordingServer.h"
#include "RowBand.h"
#include "SearchField.h"
#include "SelectDialog.h"
#include "TFormSort3.h"
#include "THttpCli.h"
#include "TableWindow.h"
#include "UnhideDialog.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTcpServer>
#include <QTest>

#include <memory>

using namespace statdesk;
using namespace statdesk::test;

namespace {

void clickItem(QListWidget* list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualItemRect(list->item(row)).center());
}

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

} // namespace

class TestTableDialogs : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void listRequestWithNoCriteriaAndCancel();
    void chosenValuesBecomeOneSortedGroup();
    void onlyThePlayerKindResetsTheSort_data();
    void onlyThePlayerKindResetsTheSort();
    void aValueTwiceInTheReplyIsChosenOnce();
    void keyboardChoosesAndConfirms();
    void listFallsBackToTheSecondHostAndStaysThere();
    void allHostsFailingShowsNothingAndChangesNothing();
    void aGroupPastTheCapacityIsRefused();
    void resetClearsCriteriaAndSort();

    void sortSendsTheCodesAndRemembersPerDataset();
    void eraseAppliesTheSortAndForgetsIt();
    void sortCancelChangesNothing();

    void limitLines_data();
    void limitLines();
    void limitCancelSendsNothing();

    void colourOptionsLabelsFollowTheFamily();
    void colourCancelKeepsTheDrawingAndTheClicks();

    void firstThreeColumnsNeverHide_data();
    void firstThreeColumnsNeverHide();
    void unhidingTheSecondOfThreeKeepsTheOthersInOrder();
    void unhideRestoresTheResizedWidthAndUnhideAllEmptiesTheList();

  private:
    TableWindow* open(DatasetKind kind);
    void pointHostsAt(const QString& opening, const QString& second, const QString& primary);

    std::unique_ptr<RecordingServer> m_service;
    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<QMdiArea> m_area;
    std::unique_ptr<TFormSort3> m_sort;
    std::unique_ptr<TBtnRightDlg1> m_select;
    std::unique_ptr<TBtnRightDlg> m_limit;
    std::unique_ptr<TBtnBottomDlg> m_colours;
    std::unique_ptr<TForm11> m_unhide;
};

void TestTableDialogs::pointHostsAt(const QString& opening, const QString& second, const QString& primary) {
    qputenv("STATDESK_HOSTS", (opening + "," + second + "," + primary).toLatin1());
}

void TestTableDialogs::init() {
    m_service = std::make_unique<RecordingServer>();
    m_service->setReply(totalOnlyReply(1234));
    const QString host = m_service->hostPort();
    pointHostsAtClosedPort();
    pointHostsAt(host, host, host);
    m_presenter = std::make_unique<RecordingPresenter>();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1024, 700);
    m_area->show();
    m_sort = std::make_unique<TFormSort3>();
    m_select = std::make_unique<TBtnRightDlg1>();
    m_limit = std::make_unique<TBtnRightDlg>();
    m_colours = std::make_unique<TBtnBottomDlg>();
    m_unhide = std::make_unique<TForm11>();
}

void TestTableDialogs::cleanup() {
    m_area.reset();
    m_unhide.reset();
    m_colours.reset();
    m_limit.reset();
    m_select.reset();
    m_sort.reset();
    m_presenter.reset();
    m_service.reset();
    pointHostsAtClosedPort();
    colorSettings() = ColorSettings{};
}

TableWindow* TestTableDialogs::open(DatasetKind kind) {
    TableWindowSetup setup;
    setup.kind = kind;
    setup.brandHome = QStringLiteral("www.brand.example");
    return openTableWindow(m_area.get(), setup);
}

void TestTableDialogs::listRequestWithNoCriteriaAndCancel() {
    TableWindow* window = open(DatasetKind::PlayersRegular);
    m_service->queueResponse({listReply({"Abdul", "Baylor"}), true, true});
    DialogDriver driver(m_select.get());
    driver.then([&](QDialog&) {
        QCOMPARE(m_select->windowTitle(),
                 QStringLiteral("Basketball Players Regular Season - Select Player"));
        QCOMPARE(itemTexts(m_select->ListBox1), (QStringList{"Abdul", "Baylor"}));
        QCOMPARE(m_select->Label2->text(), QStringLiteral("Listed = 2"));
        QCOMPARE(m_select->Label1->text(), QStringLiteral("Items = 0"));
        QCOMPARE(m_select->ListBox1->currentRow(), 0);
        QVERIFY(m_select->ListBox1->selectedItems().isEmpty());
        QVERIFY(!window->isBusy());
        clickItem(m_select->ListBox1, 1);
        m_select->CancelBtn->click();
    });
    m_select->SelectValues(*window, ListKind::Players);
    QCOMPARE(driver.shown(), 1);
    QCOMPARE(m_service->connectionCount(), 2); // the opening page and the list: Cancel sends nothing
    QCOMPARE(bodyOf(m_service->requests()[1]), QByteArray("0!0!A!\r\n*\r\n\x1a"));
    QVERIFY(window->requestState().CriteriaList.isEmpty());
}

void TestTableDialogs::chosenValuesBecomeOneSortedGroup() {
    TableWindow* window = open(DatasetKind::TeamsRegular);
    m_service->queueResponse({listReply({"Lakers", "Bird", "abbott"}), true, true});
    DialogDriver driver(m_select.get());
    driver.then([&](QDialog&) {
        QCOMPARE(m_select->windowTitle(), QStringLiteral("Basketball Teams Regular Season - Select Team"));
        clickItem(m_select->ListBox1, 0);
        clickItem(m_select->ListBox1, 1);
        clickItem(m_select->ListBox1, 2);
        clickItem(m_select->ListBox1, 0); // a second click takes a value back
        QCOMPARE(itemTexts(m_select->ListBox2), (QStringList{"abbott", "Bird"}));
        QCOMPARE(m_select->Label1->text(), QStringLiteral("Selected = 2"));
        m_select->OKBtn->click();
    });
    m_select->SelectValues(*window, ListKind::Teams);
    QCOMPARE(window->requestState().CriteriaList, (QStringList{"Babbott", "BBird", "*"}));
    QCOMPARE(m_service->connectionCount(), 3);
    QCOMPARE(bodyOf(m_service->requests()[2]).mid(headLine(m_service->requests()[2]).size()),
             QByteArray("\r\nBabbott\r\nBBird\r\n*\r\n\x1a"));

    // The next list request of any kind carries the group.
    m_service->queueResponse({listReply({"1990"}), true, true});
    driver.then([&](QDialog&) { m_select->CancelBtn->click(); });
    m_select->SelectValues(*window, ListKind::Years);
    QCOMPARE(bodyOf(m_service->lastRequest()), QByteArray("0!0!C!\r\nBabbott\r\nBBird\r\n*\r\n\x1a"));

    // Nothing chosen still confirms an empty group.
    m_service->queueResponse({listReply({"NBA", "ABA"}), true, true});
    driver.then([&](QDialog&) { m_select->OKBtn->click(); });
    m_select->SelectValues(*window, ListKind::Leagues);
    QCOMPARE(window->requestState().CriteriaList, (QStringList{"Babbott", "BBird", "*", "*"}));
}

void TestTableDialogs::onlyThePlayerKindResetsTheSort_data() {
    QTest::addColumn<ListKind>("kind");
    QTest::addColumn<QByteArray>("letter");
    QTest::addColumn<QList<int>>("sortAfter");
    QTest::newRow("player") << ListKind::Players << QByteArray("A") << QList<int>{300};
    QTest::newRow("team") << ListKind::Teams << QByteArray("D") << QList<int>{128, 101};
    QTest::newRow("year") << ListKind::Years << QByteArray("C") << QList<int>{128, 101};
    QTest::newRow("league") << ListKind::Leagues << QByteArray("E") << QList<int>{128, 101};
}

void TestTableDialogs::onlyThePlayerKindResetsTheSort() {
    QFETCH(ListKind, kind);
    QFETCH(QByteArray, letter);
    QFETCH(QList<int>, sortAfter);
    TableWindow* window = open(DatasetKind::PlayersPlayoffs);
    window->requestState().SortCodes = {128, 101};
    // A value one longer than a criterion line can hold with its letter.
    const QByteArray longValue(50, 'v');
    m_service->queueResponse({listReply({longValue}), true, true});
    DialogDriver driver(m_select.get());
    driver.then([&](QDialog&) {
        clickItem(m_select->ListBox1, 0);
        m_select->OKBtn->click();
    });
    m_select->SelectValues(*window, kind);
    QCOMPARE(headLine(m_service->requests()[1]), "0!0!" + letter + "!");
    const std::vector<int>& codes = window->requestState().SortCodes;
    QCOMPARE(QList<int>(codes.begin(), codes.end()), sortAfter);
    const QString stored = window->requestState().CriteriaList.first();
    QCOMPARE(stored.size(), 50);
    QCOMPARE(stored.mid(1), QString(49, QLatin1Char('v')));
}

void TestTableDialogs::aValueTwiceInTheReplyIsChosenOnce() {
    TableWindow* window = open(DatasetKind::PlayersRegular);
    m_service->queueResponse({listReply({"Smith", "Jones", "Smith"}), true, true});
    DialogDriver driver(m_select.get());
    driver.then([&](QDialog&) {
        clickItem(m_select->ListBox1, 0);
        clickItem(m_select->ListBox1, 2);
        QCOMPARE(itemTexts(m_select->ListBox2), QStringList{"Smith"});
        clickItem(m_select->ListBox1, 2);
        QCOMPARE(itemTexts(m_select->ListBox2), QStringList{});
        QCOMPARE(m_select->Label1->text(), QStringLiteral("Selected = 0"));
        m_select->CancelBtn->click();
    });
    m_select->SelectValues(*window, ListKind::Players);
    QCOMPARE(driver.shown(), 1);
}

// Under the desktop style the platform's type-ahead would choose every entry it passes.
void TestTableDialogs::keyboardChoosesAndConfirms() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
    TableWindow* window = open(DatasetKind::PlayersRegular);
    m_service->queueResponse({listReply({"Adams", "Baker", "Carter", "Davis"}), true, true});
    const int typingInterval = QApplication::keyboardInputInterval();
    DialogDriver driver(m_select.get());
    driver.then([&](QDialog&) {
        QListWidget* list = m_select->ListBox1;
        QCOMPARE(m_select->focusWidget(), m_select->SearchEdit); // the search field first, the list a Tab on
        QTest::keyClick(m_select->SearchEdit, Qt::Key_Tab);
        QCOMPARE(m_select->focusWidget(), list);
        // Letters typed within the typing interval make one word: an interval no loaded machine
        // outlasts between two key clicks, and later one that any pause outlasts.
        QApplication::setKeyboardInputInterval(60000);
        QTest::keyClicks(list, "ca"); // typing the first letters reaches the entry
        QCOMPARE(list->currentRow(), 2);
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->currentRow(), 3);
        QTest::keyClick(list, Qt::Key_Home);
        QVERIFY(list->selectedItems().isEmpty()); // moving does not choose
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(itemTexts(m_select->ListBox2), (QStringList{"Adams"}));
        QTest::keyClick(list, Qt::Key_Space); // Space toggles
        QApplication::setKeyboardInputInterval(1);
        QTest::qWait(20); // a new word starts
        QTest::keyClicks(list, "c");
        QTest::keyClick(list, Qt::Key_Space);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Space);
        QCOMPARE(itemTexts(m_select->ListBox2), (QStringList{"Carter", "Davis"}));
        QTest::keyClick(list, Qt::Key_Return);
    });
    m_select->SelectValues(*window, ListKind::Players);
    QApplication::setKeyboardInputInterval(typingInterval);
    QCOMPARE(window->requestState().CriteriaList, (QStringList{"ACarter", "ADavis", "*"}));
}

void TestTableDialogs::listFallsBackToTheSecondHostAndStaysThere() {
    RecordingServer second;
    second.setReply(listReply({"1990", "1991"}));
    pointHostsAt(m_service->hostPort(), second.hostPort(), deadHost());
    TableWindow* window = open(DatasetKind::TeamsPlayoffs);
    m_service.reset(); // the opening host goes away while the window is open
    DialogDriver driver(m_select.get());
    driver.then([&](QDialog&) {
        QCOMPARE(itemTexts(m_select->ListBox1), (QStringList{"1990", "1991"}));
        m_select->CancelBtn->click();
    });
    m_select->SelectValues(*window, ListKind::Years);
    QCOMPARE(driver.shown(), 1);
    QCOMPARE(second.connectionCount(), 1);
    QCOMPARE(window->HttpCli1().URL(), second.hostPort() + QStringLiteral("/cgi-bin/getbteam2-1.exe"));
}

void TestTableDialogs::allHostsFailingShowsNothingAndChangesNothing() {
    TableWindow* window = open(DatasetKind::PlayersRegular);
    window->requestState().CriteriaList = {"C1990", "*"};
    window->requestState().SortCodes = {105};
    const QString dead = deadHost();
    pointHostsAt(dead, dead, dead);
    m_service.reset();
    DialogDriver driver(m_select.get());
    m_select->SelectValues(*window, ListKind::Players);
    QCOMPARE(driver.shown(), 0);
    QVERIFY(!window->isBusy());
    QCOMPARE(window->requestState().CriteriaList, (QStringList{"C1990", "*"}));
    QCOMPARE(window->requestState().SortCodes, std::vector<int>{105});
    QVERIFY(m_presenter->errors.isEmpty());
    QVERIFY(m_presenter->messages.isEmpty());
}

void TestTableDialogs::aGroupPastTheCapacityIsRefused() {
    TableWindow* window = open(DatasetKind::PlayersRegular);
    QStringList full;
    for (int i = 0; i < 499; ++i)
        full.append(QStringLiteral("*"));
    window->requestState().CriteriaList = full;
    const int before = m_service->connectionCount();
    DialogDriver driver(m_limit.get());
    driver.then([&](QDialog&) { m_limit->OKBtn->click(); });
    m_limit->LimitWindow(*window);
    QCOMPARE(window->requestState().CriteriaList, full);
    QCOMPARE(m_service->connectionCount(), before);
    QCOMPARE(m_presenter->messages.size(), 1);
    QVERIFY2(m_presenter->messages.first().startsWith(QStringLiteral("Error|")),
             qPrintable(m_presenter->messages.first()));
    QVERIFY2(m_presenter->messages.first().contains(QStringLiteral("at most 500 lines")),
             qPrintable(m_presenter->messages.first()));
    QVERIFY(!window->isBusy());

    // One line fits: a group of exactly the capacity is taken.
    m_service->queueResponse({listReply({}), true, true});
    DialogDriver selectDriver(m_select.get());
    selectDriver.then([&](QDialog&) { m_select->OKBtn->click(); });
    m_select->SelectValues(*window, ListKind::Teams);
    QCOMPARE(window->requestState().CriteriaList.size(), 500);
}

void TestTableDialogs::resetClearsCriteriaAndSort() {
    TableWindow* window = open(DatasetKind::TeamsRegular);
    window->requestState().CriteriaList = {"BBulls", "*", "E6!0!9999!", "*"};
    window->requestState().SortCodes = {102, 105, 99, 7};
    window->Reset();
    QVERIFY(window->requestState().CriteriaList.isEmpty());
    QCOMPARE(window->requestState().SortCodes, std::vector<int>{300});
    QCOMPARE(m_service->connectionCount(), 2);
    QCOMPARE(bodyOf(m_service->lastRequest()).mid(headLine(m_service->lastRequest()).size()),
             QByteArray("\r\n*\r\n\x1a"));
    QVERIFY(headLine(m_service->lastRequest()).endsWith("!300!"));
}

void TestTableDialogs::sortSendsTheCodesAndRemembersPerDataset() {
    TableWindow* players = open(DatasetKind::PlayersRegular);
    DialogDriver driver(m_sort.get());
    driver.then([&](QDialog&) {
        QCOMPARE(m_sort->windowTitle(), QStringLiteral("Basketball Players Regular Season - Sort Options"));
        QCOMPARE(m_sort->ComboBoxes[0]->count(), 77);
        QCOMPARE(m_sort->ComboBoxes[0]->itemText(7), QStringLiteral("G       - games"));
        QVERIFY(!m_sort->ComboBoxes[0]->isEditable()); // only the list's entries
        m_sort->ComboBoxes[0]->setCurrentIndex(3);     // team code
        m_sort->Ascending[0]->click();
        m_sort->ComboBoxes[1]->setCurrentIndex(7); // games
        m_sort->Descending[1]->click();
        m_sort->Button1->click();
    });
    players->requestState().CriteriaList = {"C1990", "*"};
    m_sort->SortWindow(*players);
    QCOMPARE(players->requestState().SortCodes, (std::vector<int>{102, 6}));
    QCOMPARE(headLine(m_service->lastRequest()).split('!').mid(2, 3), (QList<QByteArray>{"B", "102", "6"}));
    QCOMPARE(players->requestState().CriteriaList, (QStringList{"C1990", "*"})); // sorting keeps criteria
    QCOMPARE(m_sort->SortMemory(1), (TFormSort3::FieldPositions{3, 7, 0, 0}));

    // Another dataset has its own memory; the directions stay as last set.
    TableWindow* teams = open(DatasetKind::TeamsPlayoffs);
    driver.then([&](QDialog&) {
        QCOMPARE(m_sort->windowTitle(), QStringLiteral("Basketball Teams Playoffs - Sort Options"));
        QCOMPARE(m_sort->ComboBoxes[0]->count(), 90);
        for (QComboBox* box : m_sort->ComboBoxes)
            QCOMPARE(box->currentIndex(), 0);
        QVERIFY(m_sort->Descending[1]->isChecked());
        m_sort->Button2->click();
    });
    m_sort->SortWindow(*teams);

    m_area->setActiveSubWindow(m_area->subWindowList().first());
    driver.then([&](QDialog&) {
        QCOMPARE(m_sort->ComboBoxes[0]->currentText(), QStringLiteral("team code"));
        QCOMPARE(m_sort->ComboBoxes[1]->currentText(), QStringLiteral("G       - games"));
        m_sort->Button2->click();
    });
    m_sort->SortWindow(*players);
    QCOMPARE(driver.shown(), 3);
}

void TestTableDialogs::eraseAppliesTheSortAndForgetsIt() {
    TableWindow* window = open(DatasetKind::PlayersPlayoffs);
    DialogDriver driver(m_sort.get());
    driver.then([&](QDialog&) {
        m_sort->ComboBoxes[0]->setCurrentIndex(2); // year
        m_sort->Ascending[0]->click();
        m_sort->EraseLastSort->click();
        m_sort->Button1->click();
    });
    m_sort->SortWindow(*window);
    QCOMPARE(window->requestState().SortCodes, std::vector<int>{101});
    QCOMPARE(m_sort->SortMemory(2), (TFormSort3::FieldPositions{0, 0, 0, 0}));
    driver.then([&](QDialog&) {
        for (QComboBox* box : m_sort->ComboBoxes)
            QCOMPARE(box->currentText(), QStringLiteral("NONE"));
        QVERIFY(m_sort->EraseLastSort->isChecked());
        m_sort->Button2->click();
    });
    m_sort->SortWindow(*window);
    QCOMPARE(driver.shown(), 2);
}

void TestTableDialogs::sortCancelChangesNothing() {
    TableWindow* window = open(DatasetKind::TeamsRegular);
    window->requestState().SortCodes = {104};
    DialogDriver driver(m_sort.get());
    driver.then([&](QDialog&) {
        m_sort->ComboBoxes[0]->setCurrentIndex(5);
        m_sort->Button2->click();
    });
    m_sort->SortWindow(*window);
    QCOMPARE(driver.shown(), 1);
    QCOMPARE(window->requestState().SortCodes, std::vector<int>{104});
    QCOMPARE(m_sort->SortMemory(3), (TFormSort3::FieldPositions{0, 0, 0, 0}));
    QCOMPARE(m_service->connectionCount(), 1);
}

void TestTableDialogs::limitLines_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("minimum"); // empty: leave the field untouched
    QTest::addColumn<QString>("maximum");
    QTest::addColumn<QString>("expected");
    QTest::newRow("untouched") << DatasetKind::PlayersRegular << -1 << QString() << QString()
                               << QStringLiteral("E0!0!9999!");
    QTest::newRow("points") << DatasetKind::PlayersRegular << 28 << QStringLiteral("20000")
                            << QStringLiteral("40000") << QStringLiteral("E28!20000!40000!");
    QTest::newRow("typed as is") << DatasetKind::PlayersPlayoffs << 10 << QStringLiteral(" 1,5")
                                 << QStringLiteral("x ") << QStringLiteral("E10! 1,5!x !");
    QTest::newRow("team wins") << DatasetKind::TeamsRegular << 6 << QStringLiteral("60")
                               << QStringLiteral("99") << QStringLiteral("E6!60!99!");
}

void TestTableDialogs::limitLines() {
    QFETCH(DatasetKind, kind);
    QFETCH(int, row);
    QFETCH(QString, minimum);
    QFETCH(QString, maximum);
    QFETCH(QString, expected);
    TableWindow* window = open(kind);
    window->requestState().CriteriaList = {"BLakers", "*"};
    DialogDriver driver(m_limit.get());
    driver.then([&](QDialog&) {
        QCOMPARE(m_limit->ListBox1->currentRow(), 0);
        QCOMPARE(m_limit->focusWidget(), m_limit->ListBox1);
        QCOMPARE(m_limit->Edit1->text(), QStringLiteral("0"));
        QCOMPARE(m_limit->Edit2->text(), QStringLiteral("9999"));
        if (row >= 0)
            clickItem(m_limit->ListBox1, row);
        if (!minimum.isNull()) {
            m_limit->Edit1->clear();
            QTest::keyClicks(m_limit->Edit1, minimum);
            m_limit->Edit2->clear();
            QTest::keyClicks(m_limit->Edit2, maximum);
        }
        m_limit->OKBtn->click();
    });
    m_limit->LimitWindow(*window);
    QCOMPARE(window->requestState().CriteriaList, (QStringList{"BLakers", "*", expected, "*"}));
    const QByteArray body = bodyOf(m_service->lastRequest());
    QCOMPARE(body.mid(body.indexOf("\r\n")), "\r\nBLakers\r\n*\r\n" + expected.toLatin1() + "\r\n*\r\n\x1a");
}

void TestTableDialogs::limitCancelSendsNothing() {
    TableWindow* window = open(DatasetKind::TeamsPlayoffs);
    DialogDriver driver(m_limit.get());
    driver.then([&](QDialog&) {
        QCOMPARE(m_limit->windowTitle(), QStringLiteral("Basketball Teams Playoffs - Limit Options"));
        QCOMPARE(m_limit->ListBox1->count(), 89);
        QCOMPARE(m_limit->ListBox1->item(6)->text(), QStringLiteral("WON     - wins"));
        clickItem(m_limit->ListBox1, 3);
        m_limit->CancelBtn->click();
    });
    m_limit->LimitWindow(*window);
    QCOMPARE(driver.shown(), 1);
    QVERIFY(window->requestState().CriteriaList.isEmpty());
    QCOMPARE(m_service->connectionCount(), 1);
}

void TestTableDialogs::colourOptionsLabelsFollowTheFamily() {
    DialogDriver driver(m_colours.get());
    driver.then([&](QDialog&) {
        QCOMPARE(m_colours->windowTitle(), QStringLiteral("Color options for Player Database"));
        QVERIFY(m_colours->KeyButtons[3]->isVisible()); // as created, with no table window
    });
    m_colours->ColorOptions(nullptr);

    TableWindow* teams = open(DatasetKind::TeamsRegular);
    driver.then([&](QDialog&) {
        QCOMPARE(m_colours->windowTitle(), QStringLiteral("Team Database Color Options"));
        QStringList labels;
        for (QRadioButton* key : m_colours->KeyButtons)
            labels.append(key->text());
        QCOMPARE(labels, (QStringList{"&Team", "&Year", "&Division", "&League"}));
        QVERIFY(m_colours->KeyButtons[3]->isVisible());
        m_colours->KeyButtons[3]->click();
        m_colours->ColorSet1Buttons[2]->click();  // Green
        m_colours->ColorSet2Buttons[11]->click(); // Yellow
        m_colours->OKBtn->click();
    });
    m_colours->ColorOptions(teams);
    QCOMPARE(colorSettings().AlternateBy, 3);
    QCOMPARE(colorSettings().ColorSet1, QColor(0, 128, 0));
    QCOMPARE(colorSettings().ColorSet2, QColor(255, 255, 0));

    TableWindow* players = open(DatasetKind::PlayersRegular);
    QCOMPARE(colorSettings().AlternateBy, 0); // a new player window alternates by its first key
    driver.then([&](QDialog&) {
        QCOMPARE(m_colours->windowTitle(), QStringLiteral("Player Database Color Options"));
        QCOMPARE(m_colours->KeyButtons[0]->text(), QStringLiteral("&Player"));
        QVERIFY(!m_colours->KeyButtons[3]->isVisible());
        QVERIFY(m_colours->KeyButtons[3]->isChecked()); // the hidden choice is still the chosen one
        m_colours->OKBtn->click();
    });
    m_colours->ColorOptions(players);
    QCOMPARE(colorSettings().AlternateBy, 3);
}

void TestTableDialogs::colourCancelKeepsTheDrawingAndTheClicks() {
    TableWindow* window = open(DatasetKind::PlayersRegular);
    DialogDriver driver(m_colours.get());
    driver.then([&](QDialog&) {
        QVERIFY(m_colours->ColorSet1Buttons[12]->isChecked()); // Blue
        QVERIFY(m_colours->ColorSet2Buttons[9]->isChecked());  // Red
        // Each button shows its colour: Navy's pixels are navy.
        const QImage navy = m_colours->ColorSet1Buttons[4]->grab().toImage();
        QCOMPARE(navy.pixelColor(navy.width() - 3, navy.height() / 2), QColor(0, 0, 128));
        m_colours->ColorSet1Buttons[7]->click(); // Black
        m_colours->KeyButtons[1]->click();
        m_colours->CancelBtn->click();
    });
    m_colours->ColorOptions(window);
    QCOMPARE(colorSettings().ColorSet1, QColor(0, 0, 255));
    QCOMPARE(colorSettings().AlternateBy, 0);
    driver.then([&](QDialog&) {
        QVERIFY(m_colours->ColorSet1Buttons[7]->isChecked());
        QVERIFY(m_colours->KeyButtons[1]->isChecked());
    });
    m_colours->ColorOptions(window);
    QCOMPARE(driver.shown(), 2);
    QCOMPARE(colorSettings().ColorSet1, QColor(0, 0, 255));
}

void TestTableDialogs::firstThreeColumnsNeverHide_data() {
    QTest::addColumn<DatasetKind>("kind");
    QTest::newRow("players") << DatasetKind::PlayersRegular;
    QTest::newRow("teams") << DatasetKind::TeamsRegular;
}

// A double click on a cell of column 0, 1 or 2, after another column became current.
void TestTableDialogs::firstThreeColumnsNeverHide() {
    QFETCH(DatasetKind, kind);
    TableWindow* window = open(kind);
    DrawGrid* grid = window->DrawGrid1();
    const QRect current = grid->cellRect(5, 4);
    QVERIFY(current.isValid());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, current.center());
    QCOMPARE(grid->currentColumn(), 5);
    QList<int> widths;
    for (int column = 0; column < 6; ++column)
        widths.append(grid->columnWidth(column));
    for (int column = 0; column < 3; ++column)
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                           grid->cellRect(column, 4).center());
    QVERIFY(window->hiddenColumns().entries().empty());
    for (int column = 0; column < 6; ++column)
        QCOMPARE(grid->columnWidth(column), widths[column]);

    m_unhide->ListBox1->addItem(QStringLiteral("left over"));
    DialogDriver driver(m_unhide.get());
    driver.then([&](QDialog&) {
        QCOMPARE(m_unhide->ListBox1->count(), 0);
        m_unhide->Button3->click();
    });
    m_unhide->UnhideColumns(*window); // "Unhide all" with an empty list changes nothing
    QCOMPARE(driver.shown(), 1);
    QCOMPARE(grid->columnWidth(5), widths[5]);
}

void TestTableDialogs::unhidingTheSecondOfThreeKeepsTheOthersInOrder() {
    TableWindow* window = open(DatasetKind::PlayersRegular);
    DrawGrid* grid = window->DrawGrid1();
    QMap<int, int> widthBefore;
    for (int column : {40, 12, 61, 10}) {
        widthBefore[column] = grid->columnWidth(column);
        QVERIFY(widthBefore[column] > 0);
        grid->setLeftColumn(column);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                           grid->cellRect(column, 3).center());
        QCOMPARE(grid->columnWidth(column), 0);
    }
    DialogDriver driver(m_unhide.get());
    driver.then([&](QDialog&) {
        QCOMPARE(itemTexts(m_unhide->ListBox1),
                 (QStringList{"off reb rating", "2PT FG%", "fgm/min", "FG%     - field goal percentag"}));
        clickItem(m_unhide->ListBox1, 1);
        clickItem(m_unhide->ListBox1, 3, Qt::ControlModifier);
        m_unhide->Button1->click();
    });
    m_unhide->UnhideColumns(*window);
    QCOMPARE(grid->columnWidth(12), widthBefore[12]);
    QCOMPARE(grid->columnWidth(10), widthBefore[10]);
    QCOMPARE(grid->columnWidth(40), 0);
    QCOMPARE(grid->columnWidth(61), 0);
    QList<int> left;
    for (const HiddenColumnList::Entry& entry : window->hiddenColumns().entries())
        left.append(entry.column);
    QCOMPARE(left, (QList<int>{40, 61}));

    // Ok with nothing selected and Cancel change nothing.
    driver.then([&](QDialog&) { m_unhide->Button1->click(); });
    m_unhide->UnhideColumns(*window);
    driver.then([&](QDialog&) {
        clickItem(m_unhide->ListBox1, 0);
        m_unhide->Button2->click();
    });
    m_unhide->UnhideColumns(*window);
    QCOMPARE(window->hiddenColumns().entries().size(), size_t(2));
    QCOMPARE(m_service->connectionCount(), 1); // hiding and unhiding send no query
}

void TestTableDialogs::unhideRestoresTheResizedWidthAndUnhideAllEmptiesTheList() {
    TableWindow* window = open(DatasetKind::TeamsPlayoffs);
    DrawGrid* grid = window->DrawGrid1();
    // Drag the right border of column 6 wider by 30 pixels.
    const QRect cell = grid->cellRect(6, 0);
    const QPoint border(cell.right(), cell.center().y());
    QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, border);
    QTest::mouseMove(grid->viewport(), border + QPoint(30, 0));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, border + QPoint(30, 0));
    const int resized = grid->columnWidth(6);
    QCOMPARE(resized, cell.width() + 30);
    const int width7 = grid->columnWidth(7);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(6, 5).center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, grid->cellRect(7, 5).center());
    QCOMPARE(grid->columnWidth(6), 0);
    QCOMPARE(grid->columnWidth(7), 0);
    DialogDriver driver(m_unhide.get());
    driver.then([&](QDialog&) { m_unhide->Button3->click(); });
    m_unhide->UnhideColumns(*window);
    QCOMPARE(grid->columnWidth(6), resized);
    QCOMPARE(grid->columnWidth(7), width7);
    QVERIFY(window->hiddenColumns().entries().empty());
}

QTEST_MAIN(TestTableDialogs)
#include "tst_tabledialogs.moc"
