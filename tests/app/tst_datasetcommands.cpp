#include "BrandRecord.h"
#include "ClosedHosts.h"
#include "FakeSeams.h"
#include "MainWindow.h"
#include "ServiceProcess.h"
#include "SharedDialogs.h"
#include "StatdeskApplication.h"
#include "TableWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

using namespace statdesk;

// The four dataset commands of the main window against the project's own service and real data.
class TestDatasetCommands : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void playerAndTeamWindowsOpenAndClose();

  private:
    QTemporaryDir m_folder;
    std::unique_ptr<test::ServiceProcess> m_service;
};

void TestDatasetCommands::initTestCase() {
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

void TestDatasetCommands::cleanupTestCase() {
    test::pointHostsAtClosedPort();
    m_service.reset();
}

void TestDatasetCommands::playerAndTeamWindowsOpenAndClose() {
    test::RecordingPresenter presenter;
    TForm1 window;
    createSharedDialogs(&window);
    window.show();

    window.action("Regular1")->trigger();
    QMdiSubWindow* players = window.mdiArea()->activeSubWindow();
    QVERIFY(players);
    QCOMPARE(players->windowTitle(), QStringLiteral("Basketball Players Statistics-Regular Season"));
    QVERIFY(TForm1::isPlayerWindow(players->widget()));
    QCOMPARE(window.openedMarkers[0], 1);
    QVERIFY(!window.action("Regular1")->isEnabled());
    QVERIFY(window.action("BasketballStatistics1")->isEnabled());
    for (const char* name :
         {"Selectplayer1", "Selectteam1", "Selectyear1", "SelectLeague1", "Sort1", "Limit1", "Reset1"})
        QVERIFY2(window.action(name)->isEnabled(), name);
    auto* playerWindow = qobject_cast<TableWindow*>(players->widget());
    QVERIFY(playerWindow);
    QVERIFY(playerWindow->Label1()->text().startsWith(QStringLiteral("Total Lines: ")));
    QVERIFY(playerWindow->rows().GridLineCount() > 20000);
    QCOMPARE(playerWindow->Label2()->text(), QStringLiteral("brand.example"));

    window.action("Regular2")->trigger();
    QMdiSubWindow* teams = window.mdiArea()->activeSubWindow();
    QCOMPARE(teams->windowTitle(), QStringLiteral("Basketball Teams Statistics-Regular Season"));
    QVERIFY(!window.action("Selectplayer1")->isEnabled()); // a team window has no player selection
    QVERIFY(window.tableWindows[2]);

    teams->close();
    QTRY_VERIFY(!window.tableWindows[2]);
    QVERIFY(window.action("Regular2")->isEnabled());
    QCOMPARE(window.openedMarkers[2], 1); // never cleared within a run

    window.action("Exit1")->trigger();
    QTRY_VERIFY(window.mdiArea()->subWindowList().isEmpty());
    QVERIFY(window.action("Regular1")->isEnabled());
    QVERIFY(!window.action("Sort1")->isEnabled());
    QVERIFY2(presenter.errors.isEmpty(), qPrintable(presenter.errors.join('\n')));

    // Each closing window reported itself to the service.
    QFile events(m_service->eventsPath());
    QVERIFY(events.open(QIODevice::ReadOnly));
    const QByteArray stored = events.readAll();
    QCOMPARE(stored.count("IN,"), 2);
    QVERIFY(stored.contains("IN,basketballteams,brand.example,"));
    QVERIFY(stored.contains("IN,basketballplayers,brand.example,"));
}

int main(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    TestDatasetCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datasetcommands.moc"
