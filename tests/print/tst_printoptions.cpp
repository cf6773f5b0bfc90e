#include "PrintDefinitionFile.h"
#include "PrintOptions.h"

#include <QTest>

using namespace statdesk;

namespace {

// A print definition file as the format describes it: one value per line, each ended by CR LF; or
// as another program may write it, with other line ends and none after the last line.
QByteArray definitionFile(const QStringList& lines, const QByteArray& lineEnd = "\r\n",
                          bool lastLineEnded = true) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + lineEnd;
    if (!lastLineEnded)
        bytes.chop(lineEnd.size());
    return bytes;
}

PrintOptions prepared(Family family) {
    PrintOptions options;
    options.prepare(family);
    return options;
}

QList<QByteArray> linesOf(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines) {
        if (!line.endsWith('\r'))
            return {}; // a line end other than CR LF
        line.chop(1);
    }
    return lines;
}

} // namespace

class TestPrintOptions : public QObject {
    Q_OBJECT

  private slots:
    void prepareGivesTheFamilyDefaults_data();
    void prepareGivesTheFamilyDefaults();
    void prepareStartsEachCommandAfresh();
    void includeAndExclude();
    void aReturnedColumnGoesBackToItsTablePosition();
    void includeThenExcludeRestoresTableOrder();
    void includeAllAndExcludeAll();
    void typedWidths_data();
    void typedWidths();
    void lineSettingsResetTheOtherFieldTo80();
    void lookupSeesTheLastMatchWithinTheCount();

    void unalteredPlayerFileLayout();
    void smallFileReadsAndWritesBackByteForByte();
    void saveThenLoadRestoresAChangedState();
    void trueInSmallLettersLoadsAsDontFit();
    void lineEndsOfOtherPrograms_data();
    void lineEndsOfOtherPrograms();
    void numberLines_data();
    void numberLines();
    void badFilesChangeNothing_data();
    void badFilesChangeNothing();
};

void TestPrintOptions::prepareGivesTheFamilyDefaults_data() {
    QTest::addColumn<Family>("family");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("nominal");
    // Widths from the column tables; nominal widths differ only for "year" and players' "% shoot".
    QTest::newRow("players first") << Family::Players << 76 << 0 << "player name" << 33 << 33;
    QTest::newRow("players year") << Family::Players << 76 << 1 << "year" << 7 << 5;
    QTest::newRow("players team name") << Family::Players << 76 << 3 << "team name" << 34 << 34;
    QTest::newRow("players % shoot") << Family::Players << 76 << 35 << "% shoot" << 6 << 5;
    QTest::newRow("players PRFM per minute")
        << Family::Players << 76 << 31 << "PRFM RAT - performance rating per minute" << 7 << 7;
    QTest::newRow("players last") << Family::Players << 76 << 75 << "pts/min" << 6 << 6;
    QTest::newRow("teams year") << Family::Teams << 89 << 0 << "year" << 7 << 5;
    QTest::newRow("teams team name") << Family::Teams << 89 << 2 << "team name" << 33 << 33;
    QTest::newRow("teams off 3FGA") << Family::Teams << 89 << 22 << "off 3FGA    - 3pt field goals attempted"
                                    << 7 << 7;
    QTest::newRow("teams per game, blanks count") << Family::Teams << 89 << 61 << "off FGM/G    " << 6 << 6;
    QTest::newRow("teams last") << Family::Teams << 89 << 88 << "def BS/G     " << 6 << 6;
}

void TestPrintOptions::prepareGivesTheFamilyDefaults() {
    QFETCH(Family, family);
    QFETCH(int, count);
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, nominal);
    const PrintOptions options = prepared(family);
    QCOMPARE(options.family(), family);
    QCOMPARE(options.tableCount(), count);
    QCOMPARE(options.AvailableList.size(), count);
    QCOMPARE(options.AvailableList[position], name);
    QVERIFY(options.PrintList.isEmpty());
    QCOMPARE(options.PrintWidthTable()[static_cast<size_t>(position)].name, name);
    QCOMPARE(options.printWidth(name), width);
    QCOMPARE(options.nominalWidth(name), nominal);
    QCOMPARE(options.printWidth(name + QLatin1Char(' ')), 0); // names are exact keys
    QVERIFY(options.fitToPage());
    QCOMPARE(options.minimumText(), QStringLiteral("   80"));
    QCOMPARE(options.maximumText(), QStringLiteral("   80"));
    QCOMPARE(options.minimumCharacters(), 80);
    QCOMPARE(options.maximumCharacters(), 80);
}

void TestPrintOptions::prepareStartsEachCommandAfresh() {
    PrintOptions options = prepared(Family::Players);
    options.include(0);
    options.setWidthText(QStringLiteral("year"), QStringLiteral("12"));
    options.setFitToPage(false);
    options.prepare(Family::Teams);
    QCOMPARE(options.printWidth(QStringLiteral("% shoot")), 0); // a player column only
    QCOMPARE(options.printWidth(QStringLiteral("year")), 7);
    options.prepare(Family::Players);
    QCOMPARE(options, prepared(Family::Players));
}

void TestPrintOptions::includeAndExclude() {
    PrintOptions options = prepared(Family::Players);
    QVERIFY(options.include(2));
    QVERIFY(options.include(2));
    QCOMPARE(options.PrintList, (QStringList{"team code", "team name"}));
    QCOMPARE(options.AvailableList.mid(0, 3), (QStringList{"player name", "year", "LGE     - league"}));
    QCOMPARE(options.AvailableList.size(), 74);
    QVERIFY(!options.include(74));
    QVERIFY(!options.include(-1));
    QVERIFY(!options.exclude(2));
    QCOMPARE(options.PrintList.size(), 2);
}

void TestPrintOptions::aReturnedColumnGoesBackToItsTablePosition() {
    PrintOptions options = prepared(Family::Teams);
    options.include(5);  // "G       - games"
    options.include(0);  // "year"
    options.include(86); // the last row now: "def BS/G     "
    QCOMPARE(options.PrintList, (QStringList{"G       - games", "year", "def BS/G     "}));
    QVERIFY(options.exclude(1));
    QCOMPARE(options.PrintList, (QStringList{"G       - games", "def BS/G     "}));
    QCOMPARE(options.AvailableList.size(), 87);
    QCOMPARE(options.AvailableList.first(), QStringLiteral("year"));
    QCOMPARE(options.AvailableList[4], QStringLiteral("DIV     - division"));
    QCOMPARE(options.AvailableList[5], QStringLiteral("WON     - wins"));
    QCOMPARE(options.AvailableList.last(), QStringLiteral("def TO/G     "));
}

void TestPrintOptions::includeThenExcludeRestoresTableOrder() {
    PrintOptions options = prepared(Family::Players);
    const QStringList tableOrder = options.AvailableList;
    options.include(40);
    options.include(3);
    options.include(70);
    options.exclude(1);
    options.exclude(0);
    options.exclude(0);
    QVERIFY(options.PrintList.isEmpty());
    QCOMPARE(options.AvailableList, tableOrder);
}

void TestPrintOptions::includeAllAndExcludeAll() {
    PrintOptions options = prepared(Family::Players);
    const QStringList tableOrder = options.AvailableList;
    options.include(10);
    options.includeAll();
    QVERIFY(options.AvailableList.isEmpty());
    QCOMPARE(options.PrintList.size(), 76);
    QCOMPARE(options.PrintList.first(), QStringLiteral("FG%     - field goal percentage"));
    QCOMPARE(options.PrintList[1], QStringLiteral("player name"));
    options.excludeAll();
    QVERIFY(options.PrintList.isEmpty());
    QCOMPARE(options.AvailableList, tableOrder);
}

void TestPrintOptions::typedWidths_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("point cuts") << "7.9" << 7;
    QTest::newRow("letters only") << "abc" << 0;
    QTest::newRow("emptied") << "" << 0;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("leading blanks") << "  12" << 12;
    QTest::newRow("digits then letters") << "12ab" << 12;
    QTest::newRow("letters then digits") << "x12" << 0;
}

void TestPrintOptions::typedWidths() {
    QFETCH(QString, text);
    QFETCH(int, width);
    PrintOptions options = prepared(Family::Players);
    options.setWidthText(QStringLiteral("team code"), text);
    QCOMPARE(options.printWidth(QStringLiteral("team code")), width);
    QCOMPARE(options.printWidth(QStringLiteral("year")), 7);
    QCOMPARE(options.nominalWidth(QStringLiteral("team code")), 5); // never edited
}

void TestPrintOptions::lineSettingsResetTheOtherFieldTo80() {
    PrintOptions options = prepared(Family::Players);
    options.setMinimumText(QStringLiteral("120"));
    QCOMPARE(options.minimumText(), QStringLiteral("  120"));
    options.setFitToPage(false);
    QVERIFY(!options.fitToPage());
    QCOMPARE(options.minimumText(), QStringLiteral("   80"));
    options.setMaximumText(QStringLiteral("9"));
    QCOMPARE(options.maximumCharacters(), 9);
    options.setMinimumText(QString());
    QCOMPARE(options.minimumText(), QStringLiteral("     "));
    QCOMPARE(options.minimumCharacters(), 0);
    options.setFitToPage(true);
    QCOMPARE(options.maximumText(), QStringLiteral("   80"));
}

void TestPrintOptions::lookupSeesTheLastMatchWithinTheCount() {
    PrintOptions options = prepared(Family::Players);
    // Entries are replaced by position: the table now holds "a", "year", "a" and the count is 3.
    QVERIFY(!loadPrintDefinition(
        definitionFile({"TRUE", "   80", "   80", "3", "a", "1", "year", "9", "a", "4", "0", "0"}), options));
    QCOMPARE(options.printWidth(QStringLiteral("a")), 4);
    QCOMPARE(options.printWidth(QStringLiteral("year")), 9);
    QCOMPARE(options.printWidth(QStringLiteral("team name")), 0); // entry 4, beyond the count
    // The nominal table shares the count and keeps its own entries.
    QCOMPARE(options.nominalWidth(QStringLiteral("player name")), 33);
    QCOMPARE(options.nominalWidth(QStringLiteral("team code")), 5);
    QCOMPARE(options.nominalWidth(QStringLiteral("team name")), 0);
    options.setWidthText(QStringLiteral("a"), QStringLiteral("6"));
    QCOMPARE(options.printWidth(QStringLiteral("a")), 6);
    QCOMPARE(options.PrintWidthTable()[0].width, 6);
}

void TestPrintOptions::unalteredPlayerFileLayout() {
    const QList<QByteArray> lines = linesOf(writePrintDefinition(prepared(Family::Players)));
    QCOMPARE(lines.size(), 4 + 2 * 76 + 1 + 76 + 1);
    QCOMPARE(lines.mid(0, 6), (QList<QByteArray>{"TRUE", "   80", "   80", "76", "player name", "33"}));
    QCOMPARE(lines.mid(154, 2), (QList<QByteArray>{"pts/min", "6"}));
    QCOMPARE(lines[4 + 2 * 76], QByteArray("76"));
    QCOMPARE(lines[4 + 2 * 76 + 1], QByteArray("player name"));
    QCOMPARE(lines[4 + 2 * 76 + 76], QByteArray("pts/min"));
    QCOMPARE(lines.last(), QByteArray("0"));
}

void TestPrintOptions::smallFileReadsAndWritesBackByteForByte() {
    const QByteArray file = definitionFile({"FALSE", "  132", "   60", "2", "year", "-2", "off FGM/G    ",
                                            "11", "1", "off FGM/G    ", "2", "year", "% shoot"});
    PrintOptions options = prepared(Family::Teams);
    QVERIFY(!loadPrintDefinition(file, options));
    QVERIFY(!options.fitToPage());
    QCOMPARE(options.maximumCharacters(), 132);
    QCOMPARE(options.minimumCharacters(), 60);
    QCOMPARE(options.printWidth(QStringLiteral("year")), -2);
    QCOMPARE(options.printWidth(QStringLiteral("off FGM/G    ")), 11);
    QCOMPARE(options.AvailableList, QStringList{"off FGM/G    "});
    QCOMPARE(options.PrintList, (QStringList{"year", "% shoot"})); // a name of the other family stays
    QCOMPARE(writePrintDefinition(options), file);
}

void TestPrintOptions::saveThenLoadRestoresAChangedState() {
    PrintOptions saved = prepared(Family::Players);
    saved.setFitToPage(false);
    saved.setMaximumText(QStringLiteral("132"));
    saved.setWidthText(QStringLiteral("% shoot"), QStringLiteral("9"));
    saved.setWidthText(QStringLiteral("player name"), QStringLiteral("-1"));
    saved.include(35);
    saved.include(0);
    saved.include(10);
    const QByteArray file = writePrintDefinition(saved);

    PrintOptions loaded = prepared(Family::Players);
    QVERIFY(!loadPrintDefinition(file, loaded));
    QCOMPARE(loaded, saved);
    QCOMPARE(loaded.PrintList, (QStringList{"% shoot", "player name", "EFF FG% - effective FG%"}));
    QCOMPARE(loaded.printWidth(QStringLiteral("% shoot")), 9);
    QCOMPARE(loaded.maximumText(), QStringLiteral("  132"));
}

void TestPrintOptions::trueInSmallLettersLoadsAsDontFit() {
    PrintOptions options = prepared(Family::Players);
    QVERIFY(options.fitToPage());
    const auto error = loadPrintDefinition(
        definitionFile({"true", "  100", "   70", "1", "year", "5", "0", "1", "year"}), options);
    QVERIFY2(!error, qPrintable(error ? error->text : QString()));
    QVERIFY(!options.fitToPage());
    QCOMPARE(options.maximumCharacters(), 100);
    QCOMPARE(options.minimumCharacters(), 70); // the file's text, not a reset to 80
    QCOMPARE(options.PrintList, QStringList{"year"});
}

void TestPrintOptions::lineEndsOfOtherPrograms_data() {
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<bool>("lastLineEnded");
    QTest::newRow("CR LF") << QByteArray("\r\n") << true;
    QTest::newRow("LF") << QByteArray("\n") << true;
    QTest::newRow("lone CR") << QByteArray("\r") << true;
    QTest::newRow("CR LF, none after the last line") << QByteArray("\r\n") << false;
    QTest::newRow("LF, none after the last line") << QByteArray("\n") << false;
    QTest::newRow("lone CR, none after the last line") << QByteArray("\r") << false;
}

void TestPrintOptions::lineEndsOfOtherPrograms() {
    QFETCH(QByteArray, lineEnd);
    QFETCH(bool, lastLineEnded);
    // A name's trailing blanks are its own, not part of a line end.
    const QByteArray file = definitionFile({"FALSE", "  132", "   60", "2", "year", "-2", "off FGM/G    ",
                                            "11", "1", "off FGM/G    ", "2", "year", "% shoot"},
                                           lineEnd, lastLineEnded);
    PrintOptions options = prepared(Family::Teams);
    const auto error = loadPrintDefinition(file, options);
    QVERIFY2(!error, qPrintable(error ? error->text : QString()));
    QVERIFY(!options.fitToPage());
    QCOMPARE(options.maximumCharacters(), 132);
    QCOMPARE(options.minimumCharacters(), 60);
    QCOMPARE(options.printWidth(QStringLiteral("year")), -2);
    QCOMPARE(options.printWidth(QStringLiteral("off FGM/G    ")), 11);
    QCOMPARE(options.AvailableList, QStringList{"off FGM/G    "});
    QCOMPARE(options.PrintList, (QStringList{"year", "% shoot"}));
}

void TestPrintOptions::numberLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("width");
    QTest::newRow("plain") << "7" << 7;
    QTest::newRow("leading blanks") << "  7" << 7;
    QTest::newRow("trailing letters") << "7x" << 7;
    QTest::newRow("fraction cut") << "7.9" << 7;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("negative") << "-7" << -7;
    QTest::newRow("zero") << "0" << 0;
}

void TestPrintOptions::numberLines() {
    QFETCH(QString, line);
    QFETCH(int, width);
    PrintOptions options = prepared(Family::Players);
    const auto error =
        loadPrintDefinition(definitionFile({"TRUE", "   80", "   80", "1", "year", line, "0", "0"}), options);
    QVERIFY2(!error, qPrintable(error ? error->text : QString()));
    QCOMPARE(options.printWidth(QStringLiteral("year")), width);
}

void TestPrintOptions::badFilesChangeNothing_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    const QStringList head{"FALSE", "  120", "   80"};
    QTest::newRow("empty") << QByteArray() << 1
                           << "the file ends before line 1, which should hold the fit mode";
    QTest::newRow("cut after the mode")
        << QByteArray("TRUE\r\n") << 2
        << "the file ends before line 2, which should hold the maximum characters per line";
    QTest::newRow("letters in a field")
        << definitionFile({"TRUE", "  8a0", "   80", "0", "0", "0"}) << 2
        << "line 2 should hold the maximum characters per line (up to five digits), but holds \"  8a0\"";
    QTest::newRow("six digits in a field")
        << definitionFile({"TRUE", "   80", "123456", "0", "0", "0"}) << 3
        << "line 3 should hold the minimum characters per line (up to five digits), but holds \"123456\"";
    QTest::newRow("count is no number")
        << definitionFile(head + QStringList{"many", "0", "0"}) << 4
        << "line 4 should hold the number of width entries, but holds \"many\"";
    QTest::newRow("count below zero") << definitionFile(head + QStringList{"-1", "0", "0"}) << 4
                                      << "line 4 should hold the number of width entries, but holds \"-1\"";
    QTest::newRow("count over the capacity")
        << definitionFile(head + QStringList{"101"}) << 4
        << "line 4 holds 101 width entries, more than the 100 the table can take";
    QTest::newRow("width is empty") << definitionFile(head + QStringList{"2", "year", "5", "team code", ""})
                                    << 8 << "line 8 should hold the width of entry 2, but holds \"\"";
    QTest::newRow("width starts with letters")
        << definitionFile(head + QStringList{"1", "year", "x7", "0", "0"}) << 6
        << "line 6 should hold the width of entry 1, but holds \"x7\"";
    QTest::newRow("width only after the point")
        << definitionFile(head + QStringList{"1", "year", ".5", "0", "0"}) << 6
        << "line 6 should hold the width of entry 1, but holds \".5\"";
    QTest::newRow("width beyond 32 bits")
        << definitionFile(head + QStringList{"1", "year", "99999999999", "0", "0"}) << 6
        << "line 6 should hold the width of entry 1, but holds \"99999999999\"";
    QTest::newRow("cut inside the table")
        << definitionFile(head + QStringList{"2", "year", "5", "team code"}) << 8
        << "the file ends before line 8, which should hold the width of entry 2";
    QTest::newRow("available count is no number")
        << definitionFile(head + QStringList{"1", "year", "5", "?", "0"}) << 7
        << "line 7 should hold the number of available columns, but holds \"?\"";
    QTest::newRow("cut inside the available list")
        << definitionFile(head + QStringList{"1", "year", "5", "3", "year", "team code"}) << 10
        << "the file ends before line 10, which should hold available column 3";
    QTest::newRow("no print list")
        << definitionFile(head + QStringList{"1", "year", "5", "0"}) << 8
        << "the file ends before line 8, which should hold the number of columns to print";
    QTest::newRow("cut inside the print list")
        << definitionFile(head + QStringList{"1", "year", "5", "0", "2", "year"}) << 10
        << "the file ends before line 10, which should hold column to print 2";
    QTest::newRow("not a definition at all")
        << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << 2
        << "line 2 should hold the maximum characters per line (up to five digits), but holds \"\x1a\"";
}

void TestPrintOptions::badFilesChangeNothing() {
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QString, text);
    PrintOptions options = prepared(Family::Players);
    options.include(4);
    options.setWidthText(QStringLiteral("year"), QStringLiteral("3"));
    const PrintOptions before = options;
    const auto error = loadPrintDefinition(file, options);
    QVERIFY(error);
    QCOMPARE(error->line, line);
    QCOMPARE(error->text, text);
    QCOMPARE(options, before);
    QVERIFY(!readPrintDefinition(file).definition);
}

QTEST_GUILESS_MAIN(TestPrintOptions)
#include "tst_printoptions.moc"
