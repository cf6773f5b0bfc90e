#include "ClosedHosts.h"
#include "FakeSeams.h"
#include "ProxyDialog.h"
#include "ProxyFile.h"
#include "StartupState.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace statdesk;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestProxySettings : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void readsFile_data();
    void readsFile();
    void roundTripKeepsBlanks();
    void checkBoxEnablesTheGroup();
    void everyCloseSaves();
    void failedSaveKeepsTheOldFile();
    void startupAsksOnlyWhenTheFileIsMissing();
    void startupThatIsEndingWritesWithoutAsking();
    void unreadableFileEndsStartup();

  private:
    QTemporaryDir m_folder;
};

void TestProxySettings::init() {
    test::pointHostsAtClosedPort();
    QVERIFY(m_folder.isValid());
    QDir::setCurrent(m_folder.path());
    QFile::remove(QStringLiteral("PROXY.DAT"));
    QDir().rmdir(QStringLiteral("PROXY.DAT"));
    proxySettings() = {};
}

void TestProxySettings::readsFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("all five") << QByteArray("TRUE\r\nproxy.lan\r\n3128\r\nann\r\nsecret\r\n") << true
                              << QStringList{"proxy.lan", "3128", "ann", "secret"};
    QTest::newRow("lower-case true is off")
        << QByteArray("true\r\nproxy.lan\r\n") << false << QStringList{"proxy.lan", "", "", ""};
    QTest::newRow("Yes is off") << QByteArray("Yes\r\n") << false << QStringList{"", "", "", ""};
    QTest::newRow("missing lines empty")
        << QByteArray("TRUE\r\nhost") << true << QStringList{"host", "", "", ""};
    QTest::newRow("later lines ignored")
        << QByteArray("FALSE\r\na\r\nb\r\nc\r\nd\r\nextra\r\n") << false << QStringList{"a", "b", "c", "d"};
    QTest::newRow("bare line feeds") << QByteArray("TRUE\na\nb\nc\nd\n") << true
                                     << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty file") << QByteArray() << false << QStringList{"", "", "", ""};
}

void TestProxySettings::readsFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, enabled);
    QFETCH(QStringList, texts);
    writeBytes(QStringLiteral("PROXY.DAT"), bytes);
    const ProxySettings settings = readProxyFile(QStringLiteral("PROXY.DAT"));
    QCOMPARE(settings.enabled, enabled);
    QCOMPARE((QStringList{settings.address, settings.port, settings.userName, settings.password}), texts);
}

void TestProxySettings::roundTripKeepsBlanks() {
    const ProxySettings written{false, QStringLiteral(" spaced host"), QStringLiteral("8080"),
                                QStringLiteral("a b"), QStringLiteral("pass word ")};
    writeProxyFile(QStringLiteral("PROXY.DAT"), written);
    QCOMPARE(fileBytes(QStringLiteral("PROXY.DAT")),
             QByteArray("FALSE\r\n spaced host\r\n8080\r\na b\r\npass word \r\n"));
    const ProxySettings read = readProxyFile(QStringLiteral("PROXY.DAT"));
    QCOMPARE(read.password, written.password);
    QCOMPARE(read.address, written.address);
}

void TestProxySettings::checkBoxEnablesTheGroup() {
    TForm14 dialog;
    const auto groupEnabled = [&dialog](bool enabled) {
        for (const char* name :
             {"Label2", "Label3", "Label4", "Label5", "Edit1", "MaskEdit1", "Edit2", "Edit3"}) {
            const auto* control = dialog.GroupBox1->findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(control, name);
            QVERIFY2(control->isEnabled() == enabled, name);
        }
    };
    groupEnabled(false);
    dialog.CheckBox1->setChecked(true);
    groupEnabled(true);
    dialog.Edit1->setText(QStringLiteral("proxy.lan"));
    dialog.CheckBox1->setChecked(false);
    groupEnabled(false);
    QCOMPARE(dialog.Edit1->text(), QStringLiteral("proxy.lan"));
    QCOMPARE(dialog.MaskEdit1->maxLength(), 5);
    QCOMPARE(dialog.Edit3->echoMode(), QLineEdit::Password);
}

void TestProxySettings::everyCloseSaves() {
    TForm14 dialog;
    dialog.CheckBox1->setChecked(true);
    dialog.Edit1->setText(QStringLiteral("proxy.lan"));
    dialog.CheckBox1->setChecked(false);                           // texts stay and are saved
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.close(); }); // the close box, not OK
    dialog.exec();
    QCOMPARE(fileBytes(QStringLiteral("PROXY.DAT")), QByteArray("FALSE\r\nproxy.lan\r\n\r\n\r\n\r\n"));
}

void TestProxySettings::failedSaveKeepsTheOldFile() {
    test::RecordingPresenter presenter;
    QVERIFY(QDir().mkdir(QStringLiteral("PROXY.DAT"))); // a folder where the file should go
    TForm14 dialog;
    dialog.accept();
    QCOMPARE(presenter.errors.size(), 1);
    QVERIFY(presenter.errors.first().contains(QStringLiteral("PROXY.DAT")));
    QVERIFY(QFileInfo(QStringLiteral("PROXY.DAT")).isDir());
}

void TestProxySettings::startupAsksOnlyWhenTheFileIsMissing() {
    TForm14 dialog;
    int shown = 0;
    QTimer::singleShot(0, &dialog, [&] {
        ++shown;
        dialog.accept(); // "&Ok" without changes
    });
    loadProxySettingsAtStartup(dialog, false);
    QCOMPARE(shown, 1);
    QCOMPARE(fileBytes(QStringLiteral("PROXY.DAT")), QByteArray("FALSE\r\n\r\n\r\n\r\n\r\n"));
    QVERIFY(!proxySettings().enabled);

    writeBytes(QStringLiteral("PROXY.DAT"), "TRUE\r\nproxy.lan\r\n3128\r\nann\r\nsecret\r\n");
    loadProxySettingsAtStartup(dialog, false); // no dialog this time: exec would block the test
    QVERIFY(proxySettings().enabled);
    QCOMPARE(proxySettings().port, QStringLiteral("3128"));
    QVERIFY(dialog.CheckBox1->isChecked());
    QCOMPARE(dialog.Edit2->text(), QStringLiteral("ann"));
}

void TestProxySettings::startupThatIsEndingWritesWithoutAsking() {
    TForm14 dialog;
    loadProxySettingsAtStartup(dialog, true);
    QCOMPARE(fileBytes(QStringLiteral("PROXY.DAT")), QByteArray("FALSE\r\n\r\n\r\n\r\n\r\n"));
}

void TestProxySettings::unreadableFileEndsStartup() {
    test::RecordingPresenter presenter;
    QVERIFY(QDir().mkdir(QStringLiteral("PROXY.DAT")));
    TForm14 dialog;
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, loadProxySettingsAtStartup(dialog, false));
}

QTEST_MAIN(TestProxySettings)
#include "tst_proxysettings.moc"
