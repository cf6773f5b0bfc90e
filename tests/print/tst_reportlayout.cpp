#include "GlyphSet.h"
#include "ReportDrawing.h"
#include "ReportLayout.h"
#include "RowSource.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QTest>

#include <map>

using namespace statdesk;

namespace {

// Rows written for the test: texts and numbers by (record, reply field).
class TestRows final : public RowSource {
  public:
    void setText(int record, int field, const std::string& text) { m_texts[{record, field}] = text; }
    void setNumber(int record, int field, double value) { m_numbers[{record, field}] = value; }
    std::string_view text(int record, int field) const override {
        const auto it = m_texts.find({record, field});
        return it == m_texts.end() ? std::string_view() : std::string_view(it->second);
    }
    double number(int record, int field) const override {
        const auto it = m_numbers.find({record, field});
        return it == m_numbers.end() ? 0.0 : it->second;
    }

  private:
    std::map<std::pair<int, int>, std::string> m_texts;
    std::map<std::pair<int, int>, double> m_numbers;
};

ReportSettings oneColumn(const QString& name, int width, int nominal) {
    ReportSettings settings;
    settings.columns.push_back({name, width, nominal});
    return settings;
}

// A page of rows 1..count and the totals record 0 with one value in one reply field.
QString cellOf(Family family, const QString& name, int width, int field, double value, ReportLineKind kind,
               int nominal = 0) {
    TestRows rows;
    rows.setNumber(1, field, value);
    rows.setNumber(0, field, value);
    const auto lines =
        reportLines(family, oneColumn(name, width, nominal ? nominal : width), rows, {1, 1}, 0);
    for (const ReportLine& line : lines)
        if (line.kind == kind)
            return line.cells.at(0).text;
    return QStringLiteral("<none>");
}

// Records each glyph drawn, as the character whose image it is, with its cell.
class RecordingSurface final : public PrintSurface {
  public:
    RecordingSurface(QSize page, const GlyphSet& glyphs) : m_page(page), m_glyphs(glyphs) {}
    QSize pageSize() const override { return m_page; }
    void drawImage(const QRect& cell, const QImage& glyph) override {
        for (char16_t u = 32; u < 127; ++u)
            if (m_glyphs.glyph(QChar(u)) == &glyph)
                drawn.append({QChar(u), cell, pages});
    }
    void newPage() override { ++pages; }

    struct Drawn {
        QChar character;
        QRect cell;
        int page;
    };
    QList<Drawn> drawn;
    int pages = 0; // new pages started

  private:
    QSize m_page;
    const GlyphSet& m_glyphs;
};

ReportLine textLine(ReportLineKind kind, const QString& text, int width) {
    return {kind, {{text, width}}};
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
  private slots:
    void values_data();
    void values();
    void headerLine2Shortening_data();
    void headerLine2Shortening();
    void textColumnsAndTotals();
    void otherFamilyNamesPrintNothing();
    void charactersPerLine_data();
    void charactersPerLine();
    void rowRange_data();
    void rowRange();

    void glyphsGoIntoTheirCells();
    void aFullLineKeepsItsLastCharacter_data();
    void aFullLineKeepsItsLastCharacter();
    void cellsOutsideThePageAreSkipped();
    void rowsContinueOnTheNextPageWithoutHeaders();
    void previewCutsAndRuler();
};

// Reply fields from the catalogues: players 10 FG%, 6 games; teams 5 games, 8 W-L%, 56 the point
// differential.
void TestReportLayout::values_data() {
    QTest::addColumn<Family>("family");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("row");
    QTest::newRow("player real 7.1") << Family::Players << "FG%     - field goal percentage" << 8 << 10
                                     << 45.66 << "   45.7";
    QTest::newRow("player real 123.4")
        << Family::Players << "FG%     - field goal percentage" << 3 << 10 << 123.4 << "  123.4";
    QTest::newRow("player missing int")
        << Family::Players << "G       - games" << 7 << 6 << -999.0 << "   ---";
    QTest::newRow("player negative int")
        << Family::Players << "G       - games" << 7 << 6 << -5.0 << "    -5";
    // Past 2^63 the grid's clamp applies: the text is the clamped value, not a wrapped negative.
    QTest::newRow("player 20-digit int")
        << Family::Players << "G       - games" << 7 << 6 << 1e19 << "9200000000000000000";
    QTest::newRow("team negative int") << Family::Teams << "G       - games" << 6 << 5 << -5.0 << "  ---";
    QTest::newRow("team signed") << Family::Teams << "PTS DIFF    - point differential per game" << 6 << 56
                                 << -3.27 << " -3.3";
    QTest::newRow("team W-L% 1") << Family::Teams << "W-L%    - won/lost percentage" << 7 << 8 << 1.0
                                 << " 1.000";
    QTest::newRow("team W-L% 0.5") << Family::Teams << "W-L%    - won/lost percentage" << 7 << 8 << 0.5
                                   << "  .500";
}

void TestReportLayout::values() {
    QFETCH(Family, family);
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, field);
    QFETCH(double, value);
    QFETCH(QString, row);
    QCOMPARE(cellOf(family, name, width, field, value, ReportLineKind::Row), row);
    QCOMPARE(cellOf(family, name, width, field, value, ReportLineKind::Totals), row);
}

void TestReportLayout::headerLine2Shortening_data() {
    QTest::addColumn<Family>("family");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("nominal");
    QTest::addColumn<QString>("header1");
    QTest::addColumn<QString>("header2");
    QTest::newRow("FG% at its width") << Family::Players << "FG%     - field goal percentage" << 8 << 8 << " "
                                      << "    FG%";
    QTest::newRow("FGM at 6") << Family::Players << "FGM     - field goals made" << 6 << 8 << " "
                              << "  FGM";
    QTest::newRow("FGM at 3") << Family::Players << "FGM     - field goals made" << 3 << 8 << " "
                              << "GM";
    QTest::newRow("FGM at 1: all gone") << Family::Players << "FGM     - field goals made" << 1 << 8 << " "
                                        << "";
    QTest::newRow("wider keeps it") << Family::Players << "FGM     - field goals made" << 12 << 8 << " "
                                    << "    FGM";
    QTest::newRow("no mark: not shortened") << Family::Players << "player name" << 5 << 33 << " "
                                            << "PLAYER NAME";
    QTest::newRow("W-L") << Family::Teams << "W-L%    - won/lost percentage" << 7 << 7 << "   W-L"
                         << "   PCT";
}

void TestReportLayout::headerLine2Shortening() {
    QFETCH(Family, family);
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, nominal);
    QFETCH(QString, header1);
    QFETCH(QString, header2);
    QCOMPARE(cellOf(family, name, width, 0, 0, ReportLineKind::Header1, nominal), header1);
    QCOMPARE(cellOf(family, name, width, 0, 0, ReportLineKind::Header2, nominal), header2);
}

void TestReportLayout::textColumnsAndTotals() {
    TestRows rows;
    rows.setText(1, 0, "Michael Jordan      ");
    rows.setText(1, 4, "9596");
    rows.setNumber(1, 61, 0.456); // fgm/min is reply field 61
    rows.setText(0, 0, "ignored");
    ReportSettings settings;
    settings.columns = {
        {"player name", 33, 33}, {"year", 7, 5}, {"POSS FACT - possession factor", 7, 7}, {"fgm/min", 6, 6}};
    const auto lines = reportLines(Family::Players, settings, rows, {1, 1}, 0);
    QCOMPARE(lines.size(), size_t(4));
    QCOMPARE(lines[2].cells[0].text, QStringLiteral("Michael Jordan      ")); // as the row holds it
    QCOMPARE(lines[2].cells[1].text, QStringLiteral("9596"));
    QCOMPARE(lines[2].cells[3].text, QStringLiteral(" .456"));
    QCOMPARE(lines[3].kind, ReportLineKind::Totals);
    QCOMPARE(lines[3].cells[0].text, QStringLiteral("TOTALS"));
    QCOMPARE(lines[3].cells[1].text, QStringLiteral(" "));
    QCOMPARE(lines[3].cells[2].text, QStringLiteral(" "));
    for (const ReportLine& line : lines)
        QCOMPARE(line.cells[1].width, 7);

    // A team totals line takes its text columns from the totals record.
    TestRows teams;
    teams.setText(0, 1, "Chicago Bulls");
    const auto teamLines =
        reportLines(Family::Teams, oneColumn(QStringLiteral("team name"), 33, 33), teams, {1, 0}, 0);
    QCOMPARE(teamLines.size(), size_t(3)); // no rows in an empty range
    QCOMPARE(teamLines[2].cells[0].text, QStringLiteral("Chicago Bulls"));

    // Names are Windows-1252, as in the grid: 0x8E is "Ž", which Latin-1 makes a control character.
    TestRows tabak;
    tabak.setText(1, 0,
                  "\x8E"
                  "an Tabak");
    const auto tabakLines =
        reportLines(Family::Players, oneColumn(QStringLiteral("player name"), 33, 33), tabak, {1, 1}, 0);
    QCOMPARE(tabakLines[2].cells[0].text, QString::fromUtf8("\u017Dan Tabak"));
}

void TestReportLayout::otherFamilyNamesPrintNothing() {
    TestRows rows;
    ReportSettings settings;
    settings.columns = {{"player name", 33, 33}, {"team name", 34, 34}, {"home wins", 6, 6}};
    const auto lines = reportLines(Family::Players, settings, rows, {1, 2}, 0);
    for (const ReportLine& line : lines) {
        QCOMPARE(line.cells.size(), size_t(3));
        QCOMPARE(line.cells[2].text, QString());
        QCOMPARE(line.cells[2].width, 0);
        QCOMPARE(line.cells[1].width, 34); // shared by both families, so it prints
    }
    QCOMPARE(lines[1].cells[1].text, QStringLiteral("TEAM NAME"));
}

void TestReportLayout::charactersPerLine_data() {
    QTest::addColumn<bool>("fit");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<QList<int>>("widths"); // of "G", "MIN" and one name of the other family
    QTest::addColumn<int>("expected");      // -1 too many columns, -2 no width
    QTest::newRow("fit: 40 wide, minimum 80") << true << 80 << 80 << QList<int>{20, 20, 90} << 80;
    QTest::newRow("fit: 200 wide") << true << 80 << 80 << QList<int>{100, 100, 0} << 200;
    QTest::newRow("don't fit: 81 over 80") << false << 80 << 80 << QList<int>{41, 40, 0} << -1;
    QTest::newRow("don't fit: 40 in 80") << false << 80 << 80 << QList<int>{20, 20, 0} << 80;
    QTest::newRow("don't fit: exactly 80") << false << 80 << 80 << QList<int>{40, 40, 0} << 80;
    QTest::newRow("fit: nothing wide, minimum 0") << true << 0 << 80 << QList<int>{0, 0, 5} << -2;
    QTest::newRow("don't fit: negative widths") << false << 80 << 0 << QList<int>{-5, 2, 0} << -2;
}

void TestReportLayout::charactersPerLine() {
    QFETCH(bool, fit);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    QFETCH(QList<int>, widths);
    QFETCH(int, expected);
    ReportSettings settings;
    settings.fitToPage = fit;
    settings.minimumCharacters = minimum;
    settings.maximumCharacters = maximum;
    settings.columns = {
        {"G       - games", widths[0], 7}, {"MIN     - minutes", widths[1], 9}, {"home wins", widths[2], 6}};
    const LineWidth result = statdesk::charactersPerLine(Family::Players, settings);
    if (expected == -1)
        QCOMPARE(result.problem, LineWidth::Problem::TooManyColumns);
    else if (expected == -2)
        QCOMPARE(result.problem, LineWidth::Problem::NoWidth);
    else {
        QCOMPARE(result.problem, LineWidth::Problem::None);
        QCOMPARE(result.characters, expected);
    }
}

void TestReportLayout::rowRange_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("visible");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("top of a long result") << 2 << 30 << 1000 << 1 << 29;
    QTest::newRow("scrolled") << 102 << 30 << 1000 << 101 << 129;
    QTest::newRow("short result") << 2 << 30 << 5 << 1 << 5;
    QTest::newRow("empty result") << 2 << 30 << 0 << 1 << 0;
    QTest::newRow("no page yet") << 2 << 0 << 0 << 1 << -1;
}

void TestReportLayout::rowRange() {
    QFETCH(int, top);
    QFETCH(int, visible);
    QFETCH(int, total);
    QFETCH(int, first);
    QFETCH(int, last);
    const ReportRows rows = reportRows(top, visible, total);
    QCOMPARE(rows.first, first);
    QCOMPARE(rows.last, last);
}

// Page 1000 wide: q = 980; at 80 characters a line has room for 81 cells of 11 by 15 pixels.
void TestReportLayout::glyphsGoIntoTheirCells() {
    const GlyphSet glyphs;
    QVERIFY(glyphs.isComplete());
    RecordingSurface surface(QSize(1000, 2000), glyphs);
    const std::vector<ReportLine> lines = {
        textLine(ReportLineKind::Header1, "   W-L", 7), textLine(ReportLineKind::Header2, "    FG%", 8),
        textLine(ReportLineKind::Row, "  123.4", 3), textLine(ReportLineKind::Totals, "a,b", 3)};
    printReportLines(surface, lines, 80, glyphs);
    QString characters;
    QList<QRect> cells;
    for (const auto& drawn : surface.drawn) {
        characters += drawn.character;
        cells.append(drawn.cell);
    }
    QCOMPARE(characters, QStringLiteral("W-LFG1a,b"));
    // Header 1 at y 12: "   W-L" puts W in the fourth cell after the margin.
    QCOMPARE(cells[0], QRect(12 + 4 * 11, 12, 11, 15));
    QCOMPARE(cells[2], QRect(12 + 6 * 11, 12, 11, 15));
    // Header 2 one cell height lower; "%" has no glyph.
    QCOMPARE(cells[3], QRect(12 + 5 * 11, 27, 11, 15));
    QCOMPARE(cells[4], QRect(12 + 6 * 11, 27, 11, 15));
    // A value longer than its column of 3: two blanks and the digit 1.
    QCOMPARE(cells[5], QRect(12 + 3 * 11, 42, 11, 15));
    QCOMPARE(cells[6], QRect(12 + 11, 57, 11, 15));
    QCOMPARE(surface.pages, 0);
}

void TestReportLayout::aFullLineKeepsItsLastCharacter_data() {
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("characters");
    QTest::newRow("letter at 300 dpi, 41") << 2550 << 41;
    QTest::newRow("A4 at 600 dpi, 200") << 4960 << 200;
    QTest::newRow("small, 3") << 100 << 3;
    QTest::newRow("80 on 1000") << 1000 << 80;
}

void TestReportLayout::aFullLineKeepsItsLastCharacter() {
    QFETCH(int, pageWidth);
    QFETCH(int, characters);
    const GlyphSet glyphs;
    RecordingSurface surface(QSize(pageWidth, 3300), glyphs);
    QString line;
    for (int i = 0; i < characters; ++i)
        line += QChar(u'A' + i % 26);
    printReportLines(surface, {textLine(ReportLineKind::Row, line, characters)}, characters, glyphs);
    QCOMPARE(surface.drawn.size(), characters);
    QVERIFY(surface.drawn.last().cell.right() < pageWidth * 98 / 100);
}

void TestReportLayout::cellsOutsideThePageAreSkipped() {
    const GlyphSet glyphs;
    // Four characters a line on q = 980: cells of 193. A header text longer than its column pushes
    // the rest of the line right, past the last cell that fits.
    RecordingSurface surface(QSize(1000, 2000), glyphs);
    printReportLines(surface, {{ReportLineKind::Header1, {{"ABCDEF", 2}, {"GH", 2}}}}, 4, glyphs);
    QString characters;
    for (const auto& drawn : surface.drawn)
        characters += drawn.character;
    QCOMPARE(characters, QStringLiteral("ABCD"));
    QCOMPARE(surface.drawn[3].cell, QRect(12 + 4 * 193, 12, 193, 267));

    // A cell reaching the page's height is skipped too.
    RecordingSurface low(QSize(1000, 40), glyphs);
    printReportLines(low,
                     {textLine(ReportLineKind::Header1, "A", 1), textLine(ReportLineKind::Header2, "B", 1)},
                     80, glyphs);
    QCOMPARE(low.drawn.size(), 1);
    QCOMPARE(low.drawn[0].character, QLatin1Char('A'));
}

// Page 1000 by 200: a row whose top passes 100 ends the page.
void TestReportLayout::rowsContinueOnTheNextPageWithoutHeaders() {
    const GlyphSet glyphs;
    RecordingSurface surface(QSize(1000, 200), glyphs);
    std::vector<ReportLine> lines = {textLine(ReportLineKind::Header1, "H", 1),
                                     textLine(ReportLineKind::Header2, "I", 1)};
    const QString rowNames = QStringLiteral("abcdefg");
    for (QChar name : rowNames)
        lines.push_back(textLine(ReportLineKind::Row, name, 1));
    lines.push_back(textLine(ReportLineKind::Totals, "T", 1));
    printReportLines(surface, lines, 80, glyphs);
    QString placed;
    for (const auto& drawn : surface.drawn)
        placed += QStringLiteral("%1%2@%3 ").arg(drawn.character).arg(drawn.page).arg(drawn.cell.top());
    // Rows at 42, 57, 72, 87, 102: the fifth passes 100, so the sixth starts the next page at 12 + 15.
    QCOMPARE(placed.trimmed(),
             QStringLiteral("H0@12 I0@27 a0@42 b0@57 c0@72 d0@87 e0@102 f1@27 g1@42 T1@57"));
    QCOMPARE(surface.pages, 1);

    // Cells 102 high on a page 300 high: a row at 216 would end below the page, where its glyphs
    // would be skipped, so each row starts a page of its own instead of vanishing.
    RecordingSurface tall(QSize(1000, 300), glyphs);
    printReportLines(tall, lines, 12, glyphs);
    QString tallPlaced;
    for (const auto& drawn : tall.drawn)
        tallPlaced += QStringLiteral("%1%2@%3 ").arg(drawn.character).arg(drawn.page).arg(drawn.cell.top());
    QCOMPARE(tallPlaced.trimmed(),
             QStringLiteral("H0@12 I0@114 a1@114 b2@114 c3@114 d4@114 e5@114 f6@114 g7@114 T8@114"));
}

void TestReportLayout::previewCutsAndRuler() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(8);
    const std::vector<ReportLine> lines = {
        textLine(ReportLineKind::Header1, "LONGHEADER", 3), textLine(ReportLineKind::Header2, "ABCDEF", 3),
        textLine(ReportLineKind::Row, "123456", 4), textLine(ReportLineKind::Totals, "5%", 4)};
    // Draw into a recorder of texts instead of reading pixels: a paint device would hide the cuts.
    struct Texts final : QPaintEngine {
        Texts() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF& at, const QTextItem& item) override {
            texts.append({at, item.text()});
        }
        Type type() const override { return User; }
        QList<QPair<QPointF, QString>> texts;
    };
    struct Device final : QPaintDevice {
        mutable Texts engine;
        QPaintEngine* paintEngine() const override { return &engine; }
        int metric(PaintDeviceMetric m) const override {
            switch (m) {
            case PdmWidth:
                return 3000;
            case PdmHeight:
                return 1200;
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 96;
            case PdmDepth:
                return 32;
            default:
                return 1;
            }
        }
    } device;
    QPainter recorder(&device);
    recorder.setFont(font);
    previewReportLines(recorder, lines);
    recorder.end();
    QStringList texts;
    for (const auto& text : device.engine.texts)
        texts.append(text.second);
    QCOMPARE(texts.size(), 6);
    QCOMPARE(texts[0], QString(132, QLatin1Char('|')));
    QCOMPARE(texts[1].size(), 130);
    QCOMPARE(texts[1].mid(9, 1) + texts[1].mid(99, 1) + texts[1].mid(129, 1), QStringLiteral("103"));
    QCOMPARE(texts[2], QStringLiteral("LONGHEADER"));   // header line 1 never cut
    QCOMPARE(texts[3], QStringLiteral("ABC"));          // header line 2 cut to its width
    QCOMPARE(texts[4], QStringLiteral("123 "));         // a value keeps w - 1 characters and a blank
    QCOMPARE(texts[5].trimmed(), QStringLiteral("5%")); // the screen font shows "%"
    QCOMPARE(device.engine.texts[0].first.x(), 12.0);
    QVERIFY(device.engine.texts[3].first.y() > device.engine.texts[2].first.y());
}

QTEST_MAIN(TestReportLayout)
#include "tst_reportlayout.moc"
