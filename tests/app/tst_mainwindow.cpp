#include "AboutBox.h"
#include "BrandRecord.h"
#include "ClosedHosts.h"
#include "DialogDriver.h"
#include "FakeSeams.h"
#include "MainWindow.h"
#include "PreviewWindow.h"
#include "SharedDialogs.h"
#include "StatdeskApplication.h"
#include "UpdateNotice.h"
#include "WelcomeBox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace statdesk;
using statdesk::test::DialogDriver;

namespace {

// A child that counts how and in which order it was closed.
class RecordingChild final : public QWidget {
  public:
    RecordingChild(QStringList& log, QString name) : m_log(log), m_name(std::move(name)) {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        m_log.append(m_name);
        QWidget::closeEvent(event);
    }

  private:
    QStringList& m_log;
    QString m_name;
};

BrandRecord quietBrand() {
    BrandRecord brand;
    brand.Title = QStringLiteral("Test Title");
    brand.BannerCount = 0;
    return brand;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void menuTree_data();
    void menuTree();
    void linkMenusSitAtPositionsFiveAndSix();
    void setUpAppliesBrand();
    void setUpStopsAtFirstErrorAndReportsOnce();
    void sharedDialogsInOrderWithTheirTexts();
    void activationShowsWelcomeOnceAndPlacesPreview_data();
    void activationShowsWelcomeOnceAndPlacesPreview();
    void exitClosesChildrenLastToFirst();
    void handlerErrorReachesErrorBox();

  private:
    QTemporaryDir m_folder;
};

void TestMainWindow::init() {
    test::pointHostsAtClosedPort();
    QVERIFY(m_folder.isValid());
    QDir::setCurrent(m_folder.path());
    brandRecord() = quietBrand();
}

void TestMainWindow::menuTree_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("visible");
    const auto row = [](const char* name, const char* caption, bool enabled, bool visible) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption) << enabled
                            << visible;
    };
    row("BasketballStatistics1", "&Basketball Statistics", true, true);
    row("Regular1", "Players - &Regular Season", true, true);
    row("Playoff1", "Players - &Playoffs", true, true);
    row("Regular2", "Teams - R&egular Season", true, true);
    row("Playoff2", "Teams - P&layoffs", true, true);
    row("Select1", "&Select", true, true);
    row("Selectplayer1", "&Player", false, true);
    row("Selectteam1", "&Team", false, true);
    row("Selectyear1", "&Year", false, true);
    row("SelectLeague1", "&League", false, true);
    row("Sort1", "&Sort", false, true);
    row("Limit1", "&Limit", false, true);
    row("Reset1", "&Reset", false, true);
    row("velmora1", "Item 1", true, false);
    row("Item21", "Item 2", true, false);
    row("Item501", "Item 50", true, false);
    row("Item1001", "Item100", true, false);
    row("Item1021", "Item 102", true, false);
    row("Item1501", "Item 150", true, false);
    row("Databasetidbits1", "&Instructions", true, true);
    row("Options1", "&Options", true, true);
    row("Instructions1", "&Instructions", true, false);
    row("Vieworderform1", "&View order form", true, false);
    row("PlayoffResults1", "P&layoff Results", true, false);
    row("Seasonsummaries1", "&Season Summaries", true, false);
    row("Awards1", "&Awards", true, false);
    row("Coloroptions1", "&Color options", false, true);
    row("Unhide1", "&Unhide Columns", false, true);
    row("Print1", "&Print", false, true);
    row("Datasources1", "D&ata sources", true, true);
    row("Help1", "&Statistics Definitions", true, true);
    row("Playersstatisticaldefinitions1", "&Players statistical definitions", true, true);
    row("Teamsstatisticaldefinitions1", "&Teams statistical definitions", true, true);
    row("PrintPreview1", "Print Pre&view", true, false);
    row("Changeproxysettings1", "&Change proxy settings", true, true);
    row("About1", "&About", true, true);
    row("Window1", "&Window", true, true);
    row("Abort1", "&Abort", true, false);
    row("Exit1", "E&xit", true, true);
}

void TestMainWindow::menuTree() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    QFETCH(bool, visible);
    TForm1 window;
    QAction* entry = window.action(name.toLatin1().constData());
    QVERIFY2(entry, qPrintable(name));
    QCOMPARE(entry->text(), caption);
    QCOMPARE(entry->isVisible(), visible);
    entry->setVisible(true); // a hidden action always reports itself disabled
    QCOMPARE(entry->isEnabled(), enabled);
}

void TestMainWindow::linkMenusSitAtPositionsFiveAndSix() {
    TForm1 window;
    const QList<QAction*> top = window.menuBar()->actions();
    QCOMPARE(top.size(), 13);
    QCOMPARE(top.at(5)->objectName(), QStringLiteral("velmora1"));
    QCOMPARE(top.at(6)->objectName(), QStringLiteral("Item1001"));
    QCOMPARE(top.at(12)->objectName(), QStringLiteral("Exit1"));
    QCOMPARE(window.menu("velmora1")->actions().size(), 49);
}

void TestMainWindow::setUpAppliesBrand() {
    test::FixedClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    test::ScriptedRandom random;
    BrandRecord& brand = brandRecord();
    brand.ShowBand = true;
    brand.BandHeight = 44;
    brand.BandColour = 0x00800000; // navy: blue in bits 16-23
    brand.ShowNews = false;
    brand.ShowPartnerImages = false;
    {
        QFile gif(QStringLiteral("temp3.gif"));
        QVERIFY(gif.open(QIODevice::WriteOnly));
    }
    TForm1 window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Test Title"));
    QCOMPARE(window.CoolBar1->height(), 44);
    QCOMPARE(window.CoolBar1->palette().color(QPalette::Window), QColor(0, 0, 128));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->palette().color(QPalette::WindowText),
             QColor(Qt::white));
    QVERIFY(!window.CoolBar1->isHidden());
    QVERIFY(window.Image1->isHidden()); // ShowLogo off
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("Label1"))->isHidden());
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("Image2"))->isHidden());
    QVERIFY(!window.Timer3->isActive()); // no banners
    QVERIFY(!window.Timer4->isActive());
    QVERIFY(!QFile::exists(QStringLiteral("temp3.gif")));
    QCOMPARE(random.seeds, QList<quint64>{static_cast<quint64>(clock.now().toMSecsSinceEpoch())});
}

void TestMainWindow::setUpStopsAtFirstErrorAndReportsOnce() {
    test::RecordingPresenter presenter;
    BrandRecord& brand = brandRecord();
    brand.ShowBand = false;
    brand.ShowLogo = true; // and logo.bmp is no bitmap: step 13 fails
    brand.BannerCount = 2;
    {
        QFile logo(QStringLiteral("logo.bmp"));
        QVERIFY(logo.open(QIODevice::WriteOnly));
        logo.write("not a bitmap");
    }
    TForm1 window;
    QCOMPARE(presenter.errors, QStringList{QStringLiteral("logo.bmp is not a readable bitmap")});
    QVERIFY(window.CoolBar1->isHidden());                                // step 12 ran
    QVERIFY(window.Timer3->isActive());                                  // step 10 left it on
    QCOMPARE(window.windowTitle(), QStringLiteral("Velmora! Statdesk")); // step 14 never ran
}

void TestMainWindow::sharedDialogsInOrderWithTheirTexts() {
    brandRecord().VersionText = QStringLiteral("200");
    brandRecord().UpdateAddress = QStringLiteral("http://site.example/download/");
    TForm1 window;
    createSharedDialogs(&window);
    QStringList created;
    for (const QDialog* dialog : window.findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly))
        created.append(
            QString::fromLatin1(dialog->metaObject()->className()).remove(QStringLiteral("statdesk::")));
    QCOMPARE(created, (QStringList{"TBtnRightDlg1", "TBtnRightDlg", "TAboutBox", "TBtnRightDlg2",
                                   "TBtnBottomDlg", "TFormSort3", "TForm12", "TForm15", "TForm14",
                                   "TDualListDlg", "TForm17", "TForm11"}));
    QCOMPARE(sharedDialogs().AboutBox->Label10->text(), QStringLiteral("Version # 200"));
    QCOMPARE(sharedDialogs().Form12->Label3->text(), QStringLiteral("http://site.example/download/"));
}

void TestMainWindow::activationShowsWelcomeOnceAndPlacesPreview_data() {
    QTest::addColumn<bool>("showcase");
    QTest::addColumn<bool>("showBand");
    QTest::addColumn<int>("bandHeight");
    QTest::addColumn<int>("placedBy");
    QTest::newRow("showcase, band shown") << true << true << 44 << 44;
    QTest::newRow("no showcase, hidden band keeps its default height") << false << false << 44 << 66;
}

void TestMainWindow::activationShowsWelcomeOnceAndPlacesPreview() {
    QFETCH(bool, showcase);
    QFETCH(bool, showBand);
    QFETCH(int, bandHeight);
    QFETCH(int, placedBy);
    BrandRecord& brand = brandRecord();
    brand.ShowcaseMode = showcase;
    brand.ShowBand = showBand;
    brand.BandHeight = bandHeight;
    TForm1 window;
    createSharedDialogs(&window);
    DialogDriver welcome(sharedDialogs().Form17.data(), QDialog::Accepted);
    window.resize(1000, 800);
    window.FormActivate();
    window.FormActivate(); // coming back from another program
    QCOMPARE(welcome.shown(), showcase ? 1 : 0);
    const TForm15* preview = sharedDialogs().Form15;
    QCOMPARE(preview->size(), QSize(1000 - 30, 800 - placedBy - 120));
    QCOMPARE(preview->y(), placedBy + 60);
}

void TestMainWindow::exitClosesChildrenLastToFirst() {
    TForm1 window;
    QStringList closed;
    for (const char* name : {"first", "second", "third"}) {
        QMdiSubWindow* sub =
            window.mdiArea()->addSubWindow(new RecordingChild(closed, QString::fromLatin1(name)));
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
    }
    window.action("Exit1")->trigger();
    QCOMPARE(closed,
             (QStringList{QStringLiteral("third"), QStringLiteral("second"), QStringLiteral("first")}));
    QTRY_VERIFY(window.mdiArea()->subWindowList().isEmpty());
}

void TestMainWindow::handlerErrorReachesErrorBox() {
    test::RecordingPresenter presenter;
    QTimer failing;
    failing.setSingleShot(true);
    connect(&failing, &QTimer::timeout, this, [] { throw std::runtime_error("handler failed"); });
    failing.start(0);
    QTRY_COMPARE(presenter.errors, QStringList{QStringLiteral("handler failed")});
}

int main(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
