#include "BrandStartup.h"
#include "RecordWriter.h"
#include "StartupError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <memory>
#include <optional>

using namespace statdesk;
using statdesk::test::RecordWriter;

namespace {

struct MenuEntry {
    QByteArray caption;
    QByteArray address;
};

struct PanelEntry {
    QByteArray caption;
    QByteArray address;
    QByteArray left;
    QByteArray top;
};

// Every stored field, with distinctive values; a case changes what it needs.
struct RecordFields {
    std::array<int, 9> flags{1, 0, 1, 0, 1, 0, 1, 0, 1};
    std::array<QByteArray, 6> strings{"200",        "Caf\xe9 \x80 Stats", "127.0.0.1:8470",
                                      "http://up/", "http://b/",          "http://c/"};
    int tableBanners = 7;
    int bandHeight = 60;
    int bannerCount = 2;
    quint32 bandColour = 0x00204080;
    QByteArray logo = QByteArray("BM") + QByteArray(300, '\x5a');
    int charset = 186;
    quint32 fontColour = 0x00FFFFFF;
    int fontSize = 9;
    QByteArray fontName = "Liberation Sans";
    int pitch = 1;
    int skipped = 0xF5;
    std::array<int, 4> fontFlags{1, 0, 1, 0};
    QList<MenuEntry> menu{{"&Links", ""}, {"Home", "http://127.0.0.1:8470/"}, {"-", ""}};
    QList<PanelEntry> panel{{"One", "http://one/", "220", "3"}, {"Two", "", "270.9", "x"}};
    QList<MenuEntry> menu2{{"More", ""}, {"Last", "http://127.0.0.1:8470/last"}};
};

// Writes the record and notes where some fields start, so that cases can cut inside them.
RecordWriter writeRecord(const RecordFields& f, QMap<QString, qint64>* marks = nullptr) {
    RecordWriter w;
    auto mark = [&](const char* name) {
        if (marks)
            marks->insert(QString::fromLatin1(name), w.size());
    };
    for (int flag : f.flags)
        w.byte(flag);
    mark("strings");
    for (const QByteArray& text : f.strings)
        w.shortString(text);
    w.byte(f.tableBanners).byte(f.bandHeight).byte(f.bannerCount).colour(f.bandColour);
    mark("logo");
    w.length24(quint32(f.logo.size())).raw(f.logo);
    mark("font");
    w.byte(f.charset)
        .colour(f.fontColour)
        .byte(f.fontSize)
        .shortString(f.fontName)
        .byte(f.pitch)
        .byte(f.skipped);
    for (int flag : f.fontFlags)
        w.byte(flag);
    mark("menu");
    w.byte(int(f.menu.size()));
    for (const MenuEntry& e : f.menu)
        w.shortString(e.caption).shortString(e.address);
    w.byte(int(f.panel.size()));
    for (const PanelEntry& e : f.panel)
        w.shortString(e.caption).shortString(e.address).shortString(e.left).shortString(e.top);
    mark("menu2");
    w.byte(int(f.menu2.size()));
    for (const MenuEntry& e : f.menu2) {
        mark("lastAddress");
        w.shortString(e.caption).shortString(e.address);
    }
    return w;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString latin1(const QByteArray& bytes) {
    return QString::fromLatin1(bytes);
}

} // namespace

class TestBrandRecord : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void readsEveryField();
    void flagIsOnOnlyWhenOne_data();
    void flagIsOnOnlyWhenOne();
    void linkFontFromFields_data();
    void linkFontFromFields();
    void emptyRecordIsValid();
    void trailingBytesAreIgnored();
    void truncatedRecordFails_data();
    void truncatedRecordFails();
    void largeProgramIsCutAtReadLimit_data();
    void largeProgramIsCutAtReadLimit();
    void programWithoutRecordFails_data();
    void programWithoutRecordFails();
    void missingProgramFails();
    void uncreatableWorkingFileFails_data();
    void uncreatableWorkingFileFails();

  private:
    BrandRecord load(const QByteArray& record);
    // No bytes: the program file does not exist.
    QString loadError(const std::optional<QByteArray>& programBytes);
    void verifyNoTemporaryFiles();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
    QString m_program;
};

void TestBrandRecord::init() {
    m_previousDir = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
    m_program = m_dir->filePath(QStringLiteral("program"));
}

void TestBrandRecord::cleanup() {
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

BrandRecord TestBrandRecord::load(const QByteArray& record) {
    if (!RecordWriter::writeFile(m_program, RecordWriter::program(record)))
        qFatal("cannot write the program file");
    return loadBrandRecordFromProgram(m_program);
}

QString TestBrandRecord::loadError(const std::optional<QByteArray>& programBytes) {
    if (programBytes && !RecordWriter::writeFile(m_program, *programBytes))
        qFatal("cannot write the program file");
    try {
        loadBrandRecordFromProgram(m_program);
    } catch (const StartupError& e) {
        return e.message();
    }
    return {};
}

void TestBrandRecord::verifyNoTemporaryFiles() {
    QVERIFY(!QFile::exists(QStringLiteral("temp.exe")));
    QVERIFY(!QFile::exists(QStringLiteral("temp.txt")));
}

void TestBrandRecord::readsEveryField() {
    const RecordFields f;
    const BrandRecord r = load(writeRecord(f).bytes());

    const std::array<bool, 9> flags{r.ShowLogo,     r.ShowLinkMenu,      r.ShowBand,
                                    r.ShowNews,     r.ShowPartnerImages, r.ShowLinkMenu2,
                                    r.UseProxyFile, r.FetchAdSettings,   r.ShowcaseMode};
    for (int i = 0; i < 9; ++i)
        QCOMPARE(flags[i], f.flags[i] == 1);
    const std::array<QString, 6> strings{r.VersionText,   r.Title,         r.BrandHome,
                                         r.UpdateAddress, r.BannerAddress, r.BannerClickAddress};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(strings[i], latin1(f.strings[i]));
        QCOMPARE(strings[i].toLatin1(), f.strings[i]); // bytes above 127 come back unchanged
    }
    QCOMPARE(r.TableBanners, f.tableBanners);
    QCOMPARE(r.BandHeight, f.bandHeight);
    QCOMPARE(r.BannerCount, f.bannerCount);
    QCOMPARE(r.BandColour, f.bandColour);
    QCOMPARE(colourFromReference(r.BandColour), QColor(0x80, 0x40, 0x20));
    QCOMPARE(readFile(QStringLiteral("logo.bmp")), f.logo);

    QCOMPARE(r.FontCharset, f.charset);
    QCOMPARE(r.FontColour, f.fontColour);
    QCOMPARE(r.LinkFont.family(), latin1(f.fontName));
    QCOMPARE(r.LinkFont.pointSize(), f.fontSize);

    QCOMPARE(r.MenuLinks.Count, int(f.menu.size()));
    for (int i = 0; i < f.menu.size(); ++i) {
        QCOMPARE(r.MenuLinks.Caption[i + 1], latin1(f.menu[i].caption));
        QCOMPARE(r.MenuLinks.Address[i + 1], latin1(f.menu[i].address));
    }
    QCOMPARE(r.PanelLinks.Count, int(f.panel.size()));
    for (int i = 0; i < f.panel.size(); ++i) {
        QCOMPARE(r.PanelLinks.Caption[i + 1], latin1(f.panel[i].caption));
        QCOMPARE(r.PanelLinks.Address[i + 1], latin1(f.panel[i].address));
        QCOMPARE(r.PanelLinks.Left[i + 1], latin1(f.panel[i].left));
        QCOMPARE(r.PanelLinks.Top[i + 1], latin1(f.panel[i].top));
    }
    QCOMPARE(r.MenuLinks2.Count, int(f.menu2.size()));
    QCOMPARE(r.MenuLinks2.Address[2], latin1(f.menu2[1].address));
    verifyNoTemporaryFiles();
}

void TestBrandRecord::flagIsOnOnlyWhenOne_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("0") << 0 << false;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("2") << 2 << false;
    QTest::newRow("255") << 255 << false;
}

void TestBrandRecord::flagIsOnOnlyWhenOne() {
    QFETCH(int, stored);
    QFETCH(bool, on);
    RecordFields f;
    f.flags.fill(stored);
    f.fontFlags.fill(stored);
    const BrandRecord r = load(writeRecord(f).bytes());

    for (bool flag : {r.ShowLogo, r.ShowLinkMenu, r.ShowBand, r.ShowNews, r.ShowPartnerImages,
                      r.ShowLinkMenu2, r.UseProxyFile, r.FetchAdSettings, r.ShowcaseMode})
        QCOMPARE(flag, on);
    for (bool style :
         {r.LinkFont.bold(), r.LinkFont.italic(), r.LinkFont.underline(), r.LinkFont.strikeOut()})
        QCOMPARE(style, on);
}

void TestBrandRecord::linkFontFromFields_data() {
    QTest::addColumn<int>("pitch");
    QTest::addColumn<int>("bold");
    QTest::addColumn<int>("italic");
    QTest::addColumn<int>("underline");
    QTest::addColumn<int>("strikeOut");
    QTest::addColumn<FontPitch>("expectedPitch");

    QTest::newRow("pitch 1 is default") << 1 << 1 << 0 << 0 << 0 << FontPitch::Default;
    QTest::newRow("pitch 7 is default") << 7 << 0 << 1 << 0 << 0 << FontPitch::Default;
    QTest::newRow("pitch 2 is fixed") << 2 << 0 << 0 << 0 << 1 << FontPitch::Fixed;
    QTest::newRow("pitch 3 is variable") << 3 << 1 << 1 << 1 << 1 << FontPitch::Variable;
    QTest::newRow("plain bold, underline adds") << 0 << 0 << 0 << 1 << 0 << FontPitch::Default;
}

void TestBrandRecord::linkFontFromFields() {
    QFETCH(int, pitch);
    QFETCH(int, bold);
    QFETCH(int, italic);
    QFETCH(int, underline);
    QFETCH(int, strikeOut);
    QFETCH(FontPitch, expectedPitch);
    RecordFields f;
    f.pitch = pitch;
    f.fontFlags = {bold, italic, underline, strikeOut};
    f.fontSize = 11;
    f.fontName = "Liberation Mono";
    const BrandRecord r = load(writeRecord(f).bytes());

    QCOMPARE(r.LinkFontPitch, expectedPitch);
    const bool pitchSet = r.LinkFont.resolveMask() & QFont::FixedPitchResolved;
    QCOMPARE(pitchSet, expectedPitch != FontPitch::Default);
    if (pitchSet)
        QCOMPARE(r.LinkFont.fixedPitch(), expectedPitch == FontPitch::Fixed);
    QCOMPARE(r.LinkFont.bold(), bold == 1);
    QCOMPARE(r.LinkFont.weight(), bold == 1 ? QFont::Bold : QFont::Normal);
    QCOMPARE(r.LinkFont.italic(), italic == 1);
    QCOMPARE(r.LinkFont.underline(), underline == 1);
    QCOMPARE(r.LinkFont.strikeOut(), strikeOut == 1);
    QCOMPARE(r.LinkFont.pointSize(), 11);
    QCOMPARE(r.LinkFont.family(), QStringLiteral("Liberation Mono"));
}

void TestBrandRecord::emptyRecordIsValid() {
    // A logo left from an earlier start is rewritten, even with ShowLogo off.
    QVERIFY(RecordWriter::writeFile(QStringLiteral("logo.bmp"), "BM old logo"));
    RecordFields f;
    f.flags.fill(0);
    f.strings.fill({});
    f.logo.clear();
    f.fontName.clear();
    f.menu.clear();
    f.panel.clear();
    f.menu2.clear();
    const BrandRecord r = load(writeRecord(f).bytes());

    QVERIFY(!r.ShowLogo);
    QVERIFY(r.Title.isEmpty() && r.BrandHome.isEmpty() && r.BannerClickAddress.isEmpty());
    QCOMPARE(r.MenuLinks.Count, 0);
    QCOMPARE(r.PanelLinks.Count, 0);
    QCOMPARE(r.MenuLinks2.Count, 0);
    QVERIFY(QFile::exists(QStringLiteral("logo.bmp")));
    QCOMPARE(QFileInfo(QStringLiteral("logo.bmp")).size(), 0);
    verifyNoTemporaryFiles();
}

void TestBrandRecord::trailingBytesAreIgnored() {
    const RecordFields f;
    // Trailing bytes that would read as a fourth list if they were read.
    const BrandRecord r = load(writeRecord(f).raw(QByteArray(1000, '\x03')).bytes());
    QCOMPARE(r.MenuLinks2.Count, 2);
    QCOMPARE(r.MenuLinks2.Address[2], QStringLiteral("http://127.0.0.1:8470/last"));
    QCOMPARE(readFile(QStringLiteral("logo.bmp")), f.logo);
    verifyNoTemporaryFiles();
}

void TestBrandRecord::truncatedRecordFails_data() {
    QTest::addColumn<QByteArray>("record");
    QMap<QString, qint64> marks;
    RecordFields f;
    const RecordWriter full = writeRecord(f, &marks);

    QTest::newRow("only one flag") << full.cutAt(1);
    QTest::newRow("inside version text") << full.cutAt(marks["strings"] + 2);
    QTest::newRow("inside the logo") << full.cutAt(marks["logo"] + 3 + 100);
    QTest::newRow("inside font name") << full.cutAt(marks["font"] + 8);
    QTest::newRow("before MenuLinks2 count") << full.cutAt(marks["menu2"]);
    QTest::newRow("inside last address") << full.cutAt(full.size() - 1);
    QTest::newRow("at last address length") << full.cutAt(marks["lastAddress"] + 5);

    f.logo = QByteArray(10, 'B');
    RecordWriter longLogo;
    longLogo.raw(writeRecord(f, &marks).cutAt(marks["logo"])).length24(0xFFFFFF).raw(QByteArray(5000, '\0'));
    QTest::newRow("logo length beyond the end") << longLogo.bytes();
}

void TestBrandRecord::truncatedRecordFails() {
    QFETCH(QByteArray, record);
    QCOMPARE(loadError(RecordWriter::program(record)), QStringLiteral("Read beyond end of file"));
    verifyNoTemporaryFiles();
}

void TestBrandRecord::largeProgramIsCutAtReadLimit_data() {
    constexpr qint64 readLimit = 2'048'000;
    constexpr qint64 offset = 1'764'352;
    QTest::addColumn<qint64>("fieldsEndAt");
    QTest::addColumn<bool>("loads");

    // The logo pads the record so that its last field ends at a chosen file offset.
    QTest::newRow("fields end well before the limit") << offset + 50'000 << true;
    QTest::newRow("fields end exactly at the limit") << readLimit << true;
    QTest::newRow("last byte one past the limit") << readLimit + 1 << false;
}

void TestBrandRecord::largeProgramIsCutAtReadLimit() {
    QFETCH(qint64, fieldsEndAt);
    QFETCH(bool, loads);
    RecordFields f;
    const qint64 fixedPart = writeRecord(f).size() - f.logo.size();
    f.logo = QByteArray("BM") + QByteArray(fieldsEndAt - 1'764'352 - fixedPart - 2, '\x11');
    const QByteArray record = writeRecord(f).bytes();
    // Whatever follows the limit is never read, however long the file is.
    const QByteArray program = RecordWriter::program(record) + QByteArray(300'000, '\x01');

    if (loads) {
        QCOMPARE(loadError(program), QString());
        QCOMPARE(readFile(QStringLiteral("logo.bmp")), f.logo);
    } else {
        QCOMPARE(loadError(program), QStringLiteral("Read beyond end of file"));
    }
    verifyNoTemporaryFiles();
}

void TestBrandRecord::programWithoutRecordFails_data() {
    QTest::addColumn<qint64>("size");
    QTest::newRow("empty file") << qint64(0);
    QTest::newRow("one byte short of the offset") << qint64(1'764'351);
    QTest::newRow("exactly the offset") << qint64(1'764'352);
}

void TestBrandRecord::programWithoutRecordFails() {
    QFETCH(qint64, size);
    QCOMPARE(loadError(QByteArray(size, '\x7f')),
             QStringLiteral("No brand record in file %1").arg(m_program));
    QVERIFY(!QFile::exists(QStringLiteral("logo.bmp")));
    verifyNoTemporaryFiles();
}

void TestBrandRecord::missingProgramFails() {
    QCOMPARE(loadError(std::nullopt), QStringLiteral("Cannot open file %1").arg(m_program));
    verifyNoTemporaryFiles();
}

void TestBrandRecord::uncreatableWorkingFileFails_data() {
    QTest::addColumn<QString>("blocked");
    QTest::newRow("temp.exe") << QStringLiteral("temp.exe");
    QTest::newRow("temp.txt") << QStringLiteral("temp.txt");
    QTest::newRow("logo.bmp") << QStringLiteral("logo.bmp");
}

void TestBrandRecord::uncreatableWorkingFileFails() {
    QFETCH(QString, blocked);
    // A folder in the way makes the file impossible to create; it is not ours to delete.
    QVERIFY(QDir().mkdir(blocked));
    const QString error = loadError(RecordWriter::program(writeRecord(RecordFields()).bytes()));
    const QString expected =
        QStringLiteral("Cannot create file ") + QDir::current().absoluteFilePath(blocked);
    QVERIFY2(error.startsWith(expected), qPrintable(error));
    QVERIFY(QFileInfo(blocked).isDir());
    for (const QString& temporary : {QStringLiteral("temp.exe"), QStringLiteral("temp.txt")}) {
        if (temporary != blocked)
            QVERIFY(!QFile::exists(temporary));
    }
}

QTEST_MAIN(TestBrandRecord)
#include "tst_brandrecord.moc"
