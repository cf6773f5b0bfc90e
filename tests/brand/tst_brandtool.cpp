#include "BrandDescription.h"
#include "BrandRecordEncoder.h"
#include "BrandRecordReader.h"
#include "BrandStartup.h"
#include "RecordWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace statdesk;
using statdesk::test::RecordWriter;

namespace {

constexpr qint64 RecordOffset = 1'764'352;

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QJsonObject menuEntries(int count) {
    QJsonArray entries;
    for (int i = 0; i < count; ++i)
        entries.append(QJsonObject{{"Caption", QString::number(i)}, {"Address", "http://h/"}});
    return {{"MenuLinks", entries}};
}

QJsonObject merged(QJsonObject base, const QJsonObject& patch) {
    for (auto it = patch.begin(); it != patch.end(); ++it)
        base.insert(it.key(), it.value());
    return base;
}

// A record's meaning, as the description of what reading its bytes gives.
QJsonObject readBack(const QByteArray& recordBytes, QByteArray* logoBytes = nullptr) {
    QByteArray bytes = recordBytes;
    QBuffer record(&bytes);
    record.open(QIODevice::ReadOnly);
    QByteArray logo;
    QBuffer logoDevice(&logo);
    const QJsonObject description = describeBrand(readBrandRecord(record, logoDevice), QString());
    if (logoBytes)
        *logoBytes = logo;
    return description;
}

// "#rrggbb" or a plain number, as a 32-bit colour reference: red in the low byte.
quint32 colourReference(const QJsonValue& value) {
    if (value.isDouble())
        return quint32(value.toInteger());
    const QString hex = value.toString();
    if (hex.size() != 7)
        return 0;
    return hex.mid(1, 2).toUInt(nullptr, 16) | hex.mid(3, 2).toUInt(nullptr, 16) << 8 |
           hex.mid(5, 2).toUInt(nullptr, 16) << 16;
}

QByteArray textBytes(const QJsonValue& value) {
    return value.isDouble() ? QByteArray::number(value.toInteger()) : value.toString().toLatin1();
}

void writeLinks(RecordWriter& w, const QJsonArray& links, const QStringList& keys) {
    w.byte(int(links.size()));
    for (const QJsonValue& link : links) {
        for (const QString& key : keys)
            w.shortString(textBytes(link.toObject().value(key)));
    }
}

// The record a description stands for, field by field with the tests' own record writer: the expected bytes
// never come from the encoder under test.
QByteArray recordOf(const QJsonObject& d, const QByteArray& logo) {
    RecordWriter w;
    for (const char* flag : {"ShowLogo", "ShowLinkMenu", "ShowBand", "ShowNews", "ShowPartnerImages",
                             "ShowLinkMenu2", "UseProxyFile", "FetchAdSettings", "ShowcaseMode"})
        w.byte(d.value(flag).toBool() ? 1 : 0);
    for (const char* text :
         {"VersionText", "Title", "BrandHome", "UpdateAddress", "BannerAddress", "BannerClickAddress"})
        w.shortString(textBytes(d.value(text)));
    w.byte(d.value("TableBanners").toInt())
        .byte(d.value("BandHeight").toInt())
        .byte(d.value("BannerCount").toInt());
    w.colour(colourReference(d.value("BandColour")));
    w.length24(quint32(logo.size())).raw(logo);
    const QJsonObject font = d.value("LinkFont").toObject();
    const QString pitch = font.value("Pitch").toString();
    w.byte(font.value("Charset").toInt())
        .colour(colourReference(font.value("Colour")))
        .byte(font.value("Size").toInt())
        .shortString(font.value("Name").toString().toLatin1())
        .byte(pitch == "fixed"      ? 2
              : pitch == "variable" ? 3
                                    : 1)
        .byte(0xF5); // the byte start-up skips, as the shipped record holds it
    for (const char* flag : {"Bold", "Italic", "Underline", "StrikeOut"})
        w.byte(font.value(flag).toBool() ? 1 : 0);
    writeLinks(w, d.value("MenuLinks").toArray(), {"Caption", "Address"});
    writeLinks(w, d.value("PanelLinks").toArray(), {"Caption", "Address", "Left", "Top"});
    writeLinks(w, d.value("MenuLinks2").toArray(), {"Caption", "Address"});
    return w.bytes();
}

} // namespace

class TestBrandTool : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void descriptionSurvivesTheRecord_data();
    void descriptionSurvivesTheRecord();
    void defaultBrandRoundTrip();
    void refusals_data();
    void refusals();

  private:
    // Runs the tool; returns its exit code, stderr in `errors`.
    int runTool(const QStringList& arguments, QString* errors = nullptr);
    QString writeProgram(qint64 size);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousDir;
};

void TestBrandTool::init() {
    m_previousDir = QDir::currentPath();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestBrandTool::cleanup() {
    QDir::setCurrent(m_previousDir);
    m_dir.reset();
}

int TestBrandTool::runTool(const QStringList& arguments, QString* errors) {
    QProcess tool;
    tool.start(QStringLiteral(STATDESK_BRAND_TOOL), arguments);
    if (!tool.waitForFinished(120'000))
        return -1;
    if (errors)
        *errors = QString::fromLocal8Bit(tool.readAllStandardError());
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

QString TestBrandTool::writeProgram(qint64 size) {
    const QString path = m_dir->filePath(QStringLiteral("program"));
    QByteArray bytes(size, '\xcc');
    if (!writeFile(path, bytes) || !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner |
                                                                    QFile::ExeOwner | QFile::ExeGroup))
        qFatal("cannot write the program");
    return path;
}

void TestBrandTool::descriptionSurvivesTheRecord_data() {
    QTest::addColumn<QJsonObject>("description");
    QTest::addColumn<QByteArray>("logo");

    QTest::newRow("nothing given") << QJsonObject() << QByteArray();
    QTest::newRow("bytes above 127 and odd font")
        << QJsonObject{{"Title", QString::fromLatin1("Caf\xe9 \xff \x80")},
                       {"BandColour", 0x80000005LL},
                       {"ShowBand", true},
                       {"ShowcaseMode", true},
                       {"TableBanners", 255},
                       {"LinkFont", QJsonObject{{"Name", "Liberation Mono"},
                                                {"Size", 0},
                                                {"Pitch", "fixed"},
                                                {"StrikeOut", true},
                                                {"Charset", 238}}}}
        << QByteArray("BM\0\1\2", 5);
    QTest::newRow("variable pitch, bold italic")
        << QJsonObject{{"LinkFont",
                        QJsonObject{{"Size", 12}, {"Pitch", "variable"}, {"Bold", true}, {"Italic", true}}}}
        << QByteArray("BM");
    QJsonObject full = menuEntries(255);
    QJsonArray panel;
    for (int i = 0; i < 255; ++i)
        panel.append(
            QJsonObject{{"Caption", "c"}, {"Address", ""}, {"Left", QString::number(i)}, {"Top", "2.5"}});
    full.insert("PanelLinks", panel);
    full.insert("MenuLinks2", menuEntries(3).value("MenuLinks"));
    QTest::newRow("full lists") << full << QByteArray();
}

void TestBrandTool::descriptionSurvivesTheRecord() {
    QFETCH(QJsonObject, description);
    QFETCH(QByteArray, logo);
    const BrandDescription parsed =
        parseBrandDescription(QJsonDocument(description).toJson(), QDir::currentPath());
    const QJsonObject expected = describeBrand(parsed.Record, QString());
    const QByteArray encoded = encodeBrandRecord(parsed.Record, logo);
    QCOMPARE(encoded, recordOf(description, logo));
    QByteArray logoBack;
    QCOMPARE(readBack(encoded, &logoBack), expected);
    QCOMPARE(logoBack, logo);
    // What was written in the description is what it says after parsing.
    for (auto it = description.begin(); it != description.end(); ++it) {
        if (it.value().isObject()) {
            const QJsonObject given = it.value().toObject();
            const QJsonObject font = expected.value(it.key()).toObject();
            for (auto f = given.begin(); f != given.end(); ++f)
                QCOMPARE(font.value(f.key()), f.value());
        } else {
            QCOMPARE(expected.value(it.key()), it.value());
        }
    }
}

void TestBrandTool::defaultBrandRoundTrip() {
    const QString brandPath = QStringLiteral(STATDESK_DEFAULT_BRAND);
    const QByteArray brandJson = readFile(brandPath);
    const QJsonObject source = QJsonDocument::fromJson(brandJson).object();
    const QByteArray logo = readFile(QFileInfo(brandPath).dir().filePath(source.value("Logo").toString()));
    QVERIFY(logo.startsWith("BM"));
    const QString program = writeProgram(10'000);

    QCOMPARE(runTool({"build", "--brand", brandPath, "--program", program, "--out", "branded/statdesk"}), 0);
    const QByteArray branded = readFile(QStringLiteral("branded/statdesk"));
    QCOMPARE(branded.left(10'000), readFile(program));
    QCOMPARE(branded.mid(10'000, RecordOffset - 10'000), QByteArray(RecordOffset - 10'000, '\0'));
    QVERIFY(QFileInfo(QStringLiteral("branded/statdesk")).isExecutable());
    QCOMPARE(branded.mid(RecordOffset), recordOf(source, logo));

    // The program's own start-up reads what the description says.
    const BrandRecord started = loadBrandRecordFromProgram(QStringLiteral("branded/statdesk"));
    QCOMPARE(started.Title, source.value("Title").toString());
    QCOMPARE(started.MenuLinks.Count, source.value("MenuLinks").toArray().size());
    QCOMPARE(readFile(QStringLiteral("logo.bmp")), logo);

    // Shown back and built again, it gives the same program byte for byte.
    QCOMPARE(runTool({"show", "--program", "branded/statdesk", "--logo-out", "shown/logo.bmp", "--out",
                      "shown/brand.json"}),
             0);
    QCOMPARE(readFile(QStringLiteral("shown/logo.bmp")), logo);
    QCOMPARE(runTool({"build", "--brand", "shown/brand.json", "--program", program, "--out", "again"}), 0);
    QCOMPARE(readFile(QStringLiteral("again")), branded);
    const QJsonObject shown = QJsonDocument::fromJson(readFile(QStringLiteral("shown/brand.json"))).object();
    for (auto it = source.begin(); it != source.end(); ++it) {
        if (it.key() != QLatin1String("Logo"))
            QCOMPARE(shown.value(it.key()), it.value());
    }
}

void TestBrandTool::refusals_data() {
    QTest::addColumn<QJsonObject>("patch");
    QTest::addColumn<qint64>("programSize");
    QTest::addColumn<QByteArray>("logo");
    QTest::addColumn<QString>("error"); // empty: accepted

    const QByteArray bmp = QByteArray("BM") + QByteArray(100, '\0');
    const QString long255(255, QLatin1Char('x'));
    const QString long256 = long255 + QLatin1Char('x');
    QTest::newRow("program at the offset") << QJsonObject() << RecordOffset << bmp << QString();
    QTest::newRow("program past the offset")
        << QJsonObject() << RecordOffset + 1 << bmp << "past the brand record offset";
    QTest::newRow("string of 255 bytes")
        << QJsonObject{{"Title", long255}} << qint64(100) << bmp << QString();
    QTest::newRow("string of 256 bytes")
        << QJsonObject{{"Title", long256}} << qint64(100) << bmp << "Title is 256 bytes long";
    QJsonObject longTop{{"PanelLinks", QJsonArray{QJsonObject{}, QJsonObject{{"Top", long256}}}}};
    QTest::newRow("list string of 256 bytes")
        << longTop << qint64(100) << bmp << "PanelLinks[2].Top is 256 bytes";
    QTest::newRow("character beyond one byte")
        << QJsonObject{{"BrandHome", QString::fromUtf8("caf\u00e9 \u20ac")}} << qint64(100) << bmp
        << "U+20ac";
    QTest::newRow("255 list entries") << menuEntries(255) << qint64(100) << bmp << QString();
    QTest::newRow("256 list entries")
        << menuEntries(256) << qint64(100) << bmp << "MenuLinks has 256 entries";
    QTest::newRow("logo not a bitmap")
        << QJsonObject() << qint64(100) << QByteArray("GIF89a") << "not a bitmap";
    QTest::newRow("logo over 24-bit length")
        << QJsonObject() << qint64(100) << QByteArray("BM") + QByteArray(0xFFFFFF - 1, '\0')
        << "at most 16777215";
    QTest::newRow("record past the read limit")
        << QJsonObject() << qint64(100) << QByteArray("BM") + QByteArray(2'048'000 - RecordOffset, '\0')
        << "a program reads at most 283648 bytes";
    QTest::newRow("misspelt key") << QJsonObject{{"Titel", "x"}} << qint64(100) << bmp
                                  << "Unknown key \"Titel\"";
    QTest::newRow("byte out of range") << QJsonObject{{"BandHeight", 256}} << qint64(100) << bmp
                                       << "BandHeight must be a whole number from 0 to 255";
    QTest::newRow("missing logo") << QJsonObject{{"Logo", "nowhere.bmp"}} << qint64(100) << bmp
                                  << "Cannot open logo";
}

void TestBrandTool::refusals() {
    QFETCH(QJsonObject, patch);
    QFETCH(qint64, programSize);
    QFETCH(QByteArray, logo);
    QFETCH(QString, error);
    QVERIFY(writeFile(QStringLiteral("logo.bmp"), logo));
    const QJsonObject base{{"Title", "Brand"}, {"ShowLogo", true}, {"Logo", "logo.bmp"}};
    QVERIFY(writeFile(QStringLiteral("brand.json"), QJsonDocument(merged(base, patch)).toJson()));
    const QString program = writeProgram(programSize);

    QString errors;
    const int code =
        runTool({"build", "--brand", "brand.json", "--program", program, "--out", "out"}, &errors);
    if (error.isEmpty()) {
        QCOMPARE(code, 0);
        QVERIFY(QFile::exists(QStringLiteral("out")));
    } else {
        QCOMPARE(code, 1);
        QVERIFY2(errors.contains(error), qPrintable(errors));
        QVERIFY(!QFile::exists(QStringLiteral("out")));
    }
}

QTEST_GUILESS_MAIN(TestBrandTool)
#include "tst_brandtool.moc"
