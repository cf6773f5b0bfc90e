#include "StartupError.h"
#include "UserWorkingFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace statdesk;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Sorted by character codes: digits, capitals, small letters.
QStringList entries(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::System);
    names.sort();
    return names;
}

} // namespace

// An installed copy works in a folder of the user's own and sees the installed reference documents
// there; any other copy keeps working in its current folder.
class TestUserWorkingFolder : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void startFolderDecidesTheWorkingFolder_data();
    void startFolderDecidesTheWorkingFolder();
    void userFilesStayAndStaleLinksGo();
    void folderThatCannotBeMadeIsFatal();

  private:
    std::unique_ptr<QTemporaryDir> m_root;
    InstalledLayout m_layout;
    QString m_home;
    QString m_startFolder;
};

void TestUserWorkingFolder::init() {
    m_startFolder = QDir::currentPath();
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    const QDir root(m_root->path());
    QVERIFY(root.mkpath(QStringLiteral("usr/bin")));
    QVERIFY(root.mkpath(QStringLiteral("usr/share/statdesk/banners")));
    QVERIFY(root.mkpath(QStringLiteral("elsewhere")));
    QVERIFY(root.mkpath(QStringLiteral("home")));
    m_layout = {root.filePath(QStringLiteral("usr/bin")), root.filePath(QStringLiteral("usr/share/statdesk"))};
    m_home = root.filePath(QStringLiteral("home"));
    const QDir data(m_layout.dataDir);
    for (const char* name : {"mvp.awd", "8990.SUM", "9596NBA.PL1", "INSTRUCT.TXT", "ORDERFRM.DOC", "statdesk.db"})
        writeFile(data.filePath(QString::fromLatin1(name)), QByteArray("shipped ") + name);
    QVERIFY(QDir::setCurrent(root.filePath(QStringLiteral("elsewhere"))));
}

void TestUserWorkingFolder::cleanup() {
    QDir::setCurrent(m_startFolder);
    m_root.reset();
}

void TestUserWorkingFolder::startFolderDecidesTheWorkingFolder_data() {
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<bool>("installed");
    QTest::newRow("installed folder") << QStringLiteral("usr/bin") << true;
    QTest::newRow("installed folder, other spelling") << QStringLiteral("usr/share/../bin/") << true;
    QTest::newRow("a copy elsewhere") << QStringLiteral("elsewhere") << false;
    QTest::newRow("a folder that does not exist") << QStringLiteral("usr/bin/missing") << false;
}

void TestUserWorkingFolder::startFolderDecidesTheWorkingFolder() {
    QFETCH(QString, programDir);
    QFETCH(bool, installed);
    const QString before = QDir::currentPath();
    const QString expected = QDir(m_home).filePath(QStringLiteral("statdesk"));

    // Twice: the second start finds its folder and links in place.
    for (int start = 0; start < 2; ++start) {
        const QString entered =
            enterUserWorkingFolder(QDir(m_root->path()).filePath(programDir), m_layout, m_home);
        if (!installed) {
            QCOMPARE(entered, QString());
            QCOMPARE(QDir::currentPath(), before);
            QVERIFY(!QFileInfo::exists(expected));
            continue;
        }
        QCOMPARE(entered, expected);
        QCOMPARE(QDir::currentPath(), expected);
        // Every document, and only documents, readable under its own name in the working folder; the
        // second start finds the beacon the first one left.
        QStringList expectedEntries = {QStringLiteral("8990.SUM"), QStringLiteral("9596NBA.PL1"),
                                       QStringLiteral("INSTRUCT.TXT"), QStringLiteral("ORDERFRM.DOC"),
                                       QStringLiteral("mvp.awd")};
        if (start == 1)
            expectedEntries.insert(4, QStringLiteral("check.ver"));
        QCOMPARE(entries(QStringLiteral(".")), expectedEntries);
        QCOMPARE(readFile(QStringLiteral("mvp.awd")), QByteArray("shipped mvp.awd"));
        QCOMPARE(readFile(QStringLiteral("9596NBA.PL1")), QByteArray("shipped 9596NBA.PL1"));
        // Working files land there, not in the data folder.
        writeFile(QStringLiteral("check.ver"), "beacon");
        QVERIFY(QFileInfo::exists(QDir(expected).filePath(QStringLiteral("check.ver"))));
        QVERIFY(!QFileInfo::exists(QDir(m_layout.dataDir).filePath(QStringLiteral("check.ver"))));
    }
}

void TestUserWorkingFolder::userFilesStayAndStaleLinksGo() {
    const QDir working(QDir(m_home).filePath(QStringLiteral("statdesk")));
    QVERIFY(working.mkpath(QStringLiteral(".")));
    writeFile(working.filePath(QStringLiteral("mvp.awd")), "the user's own list");
    // A document an earlier version shipped, and a link of the user's that points elsewhere.
    QVERIFY(QFile::link(QDir(m_layout.dataDir).filePath(QStringLiteral("old.awd")),
                        working.filePath(QStringLiteral("old.awd"))));
    QVERIFY(QFile::link(QDir(m_root->path()).filePath(QStringLiteral("gone/notes.txt")),
                        working.filePath(QStringLiteral("notes.txt"))));

    enterUserWorkingFolder(m_layout.programDir, m_layout, m_home);

    QCOMPARE(readFile(QStringLiteral("mvp.awd")), QByteArray("the user's own list"));
    QVERIFY(!QFileInfo(QStringLiteral("old.awd")).isSymLink());
    QVERIFY(QFileInfo(QStringLiteral("notes.txt")).isSymLink());
    QCOMPARE(readFile(QStringLiteral("8990.SUM")), QByteArray("shipped 8990.SUM"));
}

void TestUserWorkingFolder::folderThatCannotBeMadeIsFatal() {
    // The user's data folder is a file: nothing can be made under it.
    const QString home = QDir(m_root->path()).filePath(QStringLiteral("home-file"));
    writeFile(home, "not a folder");
    const QString before = QDir::currentPath();
    try {
        enterUserWorkingFolder(m_layout.programDir, m_layout, home);
        QFAIL("no error");
    } catch (const StartupError& error) {
        QCOMPARE(error.message(), QStringLiteral("Cannot create folder %1/statdesk").arg(home));
    }
    QCOMPARE(QDir::currentPath(), before);
}

QTEST_GUILESS_MAIN(TestUserWorkingFolder)
#include "tst_userworkingfolder.moc"
