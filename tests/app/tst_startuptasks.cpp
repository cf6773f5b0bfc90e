#include "BrandRecord.h"
#include "ChildServerProcess.h"
#include "ClosedHosts.h"
#include "FakeSeams.h"
#include "MainWindow.h"
#include "RecordingServer.h"
#include "SharedDialogs.h"
#include "StartupState.h"
#include "StatdeskApplication.h"
#include "THttpCli.h"
#include "UpdateNotice.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace statdesk;
using namespace statdesk::test;

namespace {

const QString kHome = QStringLiteral("www.brand.example");

// The beacon of "begin" and CR LF, as the coder's codes 98, 101, 103, 105, 110, 13, 10 pack into
// twelve bits each.
const QByteArray kBeacon = QByteArray::fromHex("06206506706906E00D00A0");

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray requestLine(const QByteArray& request) {
    return request.left(request.indexOf("\r\n"));
}

} // namespace

// The start-up tasks of the main window: version check, banner settings, the beacon upload, and
// the update notice.
class TestStartupTasks : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void versionCheckAndBannerSettings();
    void unreachableServiceChangesNothing();
    void twoStartsUploadTheBeaconOnce();
    void noticeLinesFromTheNoticeText_data();
    void noticeLinesFromTheNoticeText();
    void programStartShowsNoticeOrMainWindow_data();
    void programStartShowsNoticeOrMainWindow();

  private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<RecordingServer> m_site;
    std::unique_ptr<RecordingServer> m_second;
    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<ScriptedRandom> m_random;
};

void TestStartupTasks::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_folder->path()));
    m_site = std::make_unique<RecordingServer>();
    m_second = std::make_unique<RecordingServer>();
    pointHostsAtClosedPort();
    qputenv("STATDESK_SITE", m_site->hostPort().toLatin1());
    qputenv("STATDESK_HOSTS", (deadHost() + "," + m_second->hostPort() + "," + deadHost()).toLatin1());
    brandRecord() = BrandRecord{};
    brandRecord().BrandHome = kHome;
    brandRecord().VersionText = QStringLiteral("2.0");
    brandRecord().FetchAdSettings = true;
    brandRecord().BannerCount = 2;
    brandRecord().BannerAddress = QStringLiteral("old.example/ad{}.gif");
    m_presenter = std::make_unique<RecordingPresenter>();
    m_random = std::make_unique<ScriptedRandom>();
}

void TestStartupTasks::cleanup() {
    m_random.reset();
    m_presenter.reset();
    m_second.reset();
    m_site.reset();
    pointHostsAtClosedPort();
    QDir::setCurrent(QDir::tempPath());
    m_folder.reset();
}

void TestStartupTasks::versionCheckAndBannerSettings() {
    m_site->setReply(httpReply("2\r\nwww.other.example\r\n9.9\r\n2\r\n" + kHome.toLatin1() + "\r\n2.1\r\n"));
    m_second->setReply(
        httpReply(kHome.toLatin1() + "\r\n-\r\n1\r\nads.example/b{}.gif\r\nads.example/c{}\r\n2\r\n"));
    TForm1 main;
    QVERIFY(updateRequired()); // our group names 2.1
    QCOMPARE(requestLine(m_site->requests().value(0)), QByteArray("GET /cgi-bin/verread.exe HTTP/1.0"));
    QCOMPARE(requestLine(m_second->requests().value(0)), QByteArray("GET /verman.asp HTTP/1.0"));
    QCOMPARE(brandRecord().BannerCount, 1);
    QCOMPARE(brandRecord().BannerAddress, QStringLiteral("ads.example/b{}.gif"));
    QCOMPARE(brandRecord().BannerClickAddress, QStringLiteral("ads.example/c{}"));
    QCOMPARE(main.HttpCli1->URL(), m_second->hostPort() + QStringLiteral("/verman.asp"));
    QVERIFY(m_presenter->errors.isEmpty());
}

void TestStartupTasks::unreachableServiceChangesNothing() {
    pointHostsAtClosedPort();
    updateRequired() = true; // cleared by the set-up
    TForm1 main;
    QVERIFY(!updateRequired());
    QCOMPARE(brandRecord().BannerCount, 2);
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
}

// The beacon server takes anonymous uploads into the folder a login lands in; a real FTP server of
// that kind (the maker's own runs the same way) stands in for it.
void TestStartupTasks::twoStartsUploadTheBeaconOnce() {
    QTemporaryDir uploads;
    QVERIFY(uploads.isValid());
    ChildServerProcess ftp;
    const quint16 port = ChildServerProcess::freePort();
    QString error;
    QVERIFY2(ftp.start(QStringLiteral("/usr/bin/python3"),
                       {"-m", "pyftpdlib", "-i", "127.0.0.1", "-p", QString::number(port), "-w", "-d",
                        uploads.path()},
                       port, error),
             qPrintable(error));
    qputenv("STATDESK_FTP", QByteArrayLiteral("127.0.0.1:") + QByteArray::number(port));

    { TForm1 first; }
    QCOMPARE(fileBytes(QStringLiteral("check.ver")), kBeacon);
    QVERIFY(!QFile::exists(QStringLiteral("temp3.txt")));
    QCOMPARE(QDir(uploads.path()).entryList(QDir::Files), QStringList{});

    m_random->next = {48213570};
    { TForm1 second; }
    QCOMPARE(QDir(uploads.path()).entryList(QDir::Files), QStringList{"48213570"});
    QCOMPARE(fileBytes(uploads.filePath(QStringLiteral("48213570"))), kBeacon);
    QCOMPARE(fileBytes(QStringLiteral("check.ver")), kBeacon); // written anew
    QVERIFY(!QFile::exists(QStringLiteral("temp3.txt")));
}

void TestStartupTasks::noticeLinesFromTheNoticeText_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("lines");
    const QStringList initial{"Your version of the Statdesk",
                              "executable file is out of date - new features have been added.",
                              "Please visit our website at the link below to download the latest version.",
                              "http://get.example/statdesk"};
    QTest::newRow("four lines, link from the brand")
        << QByteArray("One\r\nTwo\r\nThree\r\n<URL>\r\n") << QStringList{"One", "Two", "Three", initial[3]};
    QTest::newRow("own link") << QByteArray("One\r\nTwo\r\nThree\r\nhttp://x.example/\r\n")
                              << QStringList{"One", "Two", "Three", "http://x.example/"};
    QTest::newRow("two lines") << QByteArray("One\r\nTwo")
                               << QStringList{"One", "Two", initial[2], initial[3]};
}

void TestStartupTasks::noticeLinesFromTheNoticeText() {
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, lines);
    brandRecord().UpdateAddress = QStringLiteral("http://get.example/statdesk");
    brandRecord().FetchAdSettings = false;
    TForm1 main;
    createSharedDialogs(&main);
    TForm12& notice = *sharedDialogs().Form12;
    QCOMPARE(notice.Label3->text(), brandRecord().UpdateAddress);
    m_site->setReply(httpReply(reply));
    notice.show();
    QCOMPARE(requestLine(m_site->lastRequest()), QByteArray("GET /basketballout.txt HTTP/1.0"));
    QCOMPARE((QStringList{notice.Label5->text(), notice.Label2->text(), notice.Label4->text(),
                          notice.Label3->text()}),
             lines);
    QVERIFY(notice.windowTitle().endsWith(QStringLiteral(" software update")));
    notice.hide();
}

void TestStartupTasks::programStartShowsNoticeOrMainWindow_data() {
    QTest::addColumn<QByteArray>("versions");
    QTest::addColumn<QString>("window");
    // The default brand's home and version text, from resources/brand/default.json.
    QTest::newRow("out of date: the notice, and the program ends")
        << QByteArray("2\r\n127.0.0.1:8470\r\n201\r\n") << "statdesk::TForm12";
    QTest::newRow("up to date: the main window")
        << QByteArray("2\r\n127.0.0.1:8470\r\n200\r\n") << "statdesk::TForm1";
}

// The real program, branded with the default brand, with a watcher loaded into it that reports each
// window it shows and closes it again.
void TestStartupTasks::programStartShowsNoticeOrMainWindow() {
    QFETCH(QByteArray, versions);
    QFETCH(QString, window);
    m_site->queueResponse({httpReply(versions), true, true});
    m_site->setReply(httpReply("A newer copy\r\nis out\r\nGet it\r\n<URL>\r\n"));
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(STATDESK_START_PRELOAD));
    program.setProcessEnvironment(environment); // the hosts of init(): the site here, the rest closed
    program.setWorkingDirectory(m_folder->path());
    QSignalSpy finished(&program, &QProcess::finished);
    program.start(QStringLiteral(STATDESK_PROGRAM), QStringList{});
    QVERIFY2(program.waitForStarted(), qPrintable(program.errorString()));
    // Only a hang outlasts this; the site answers from this process's event loop meanwhile.
    QVERIFY2(finished.wait(120000), "the program did not end");
    const QString output = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 0, qPrintable(output));
    QCOMPARE(requestLine(m_site->requests().value(0)), QByteArray("GET /cgi-bin/verread.exe HTTP/1.0"));

    QStringList shown;
    for (const QString& line : output.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("shown: ")))
            shown << line.mid(7).section(QStringLiteral(" | "), 0, 0);
    QVERIFY2(shown.contains(window), qPrintable(output));
    for (const QString& other : {QStringLiteral("statdesk::TForm1"), QStringLiteral("statdesk::TForm12")})
        QVERIFY2(other == window || !shown.contains(other), qPrintable(output));
    if (window == QStringLiteral("statdesk::TForm12"))
        QVERIFY2(output.contains(QStringLiteral("A newer copy | is out | Get it")), qPrintable(output));
}

int main(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    TestStartupTasks test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startuptasks.moc"
