#include "CellFormats.h"
#include "GermanNumbers.h"
#include "RowSource.h"

#include <QLocale>
#include <QTest>

#include <memory>
#include <map>
#include <string>

using namespace statdesk;

namespace {

// One record of fields; every other record reads as unwritten, so a cell that reads the wrong
// record shows up.
class OneRecord final : public RowSource {
  public:
    OneRecord(int record, const QVariantMap& fields) : m_record(record) {
        for (auto it = fields.begin(); it != fields.end(); ++it) {
            const int field = it.key().toInt();
            if (it.value().typeId() == QMetaType::QString)
                m_texts[field] = it.value().toString().toStdString();
            else
                m_numbers[field] = it.value().toDouble();
        }
    }
    std::string_view text(int record, int field) const override {
        const auto it = m_texts.find(field);
        return record == m_record && it != m_texts.end() ? std::string_view(it->second) : std::string_view();
    }
    double number(int record, int field) const override {
        const auto it = m_numbers.find(field);
        return record == m_record && it != m_numbers.end() ? it->second : 0.0;
    }

  private:
    int m_record;
    std::map<int, std::string> m_texts;
    std::map<int, double> m_numbers;
};

constexpr int P = static_cast<int>(Family::Players);
constexpr int T = static_cast<int>(Family::Teams);

} // namespace

class TestCellFormats : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void formats_data();
    void formats();
    void cells_data();
    void cells();
    void playerTotalsRowShowsOnlyTotalledColumns();

  private:
    std::unique_ptr<test::GermanNumbers> m_german;
};

// Numbers must be written with "." under a locale whose decimal point is ",".
void TestCellFormats::initTestCase() {
    m_german = std::make_unique<test::GermanNumbers>();
    QVERIFY2(m_german->active(), "the de_DE.UTF-8 locale is missing: run scripts/install-deps.sh");
}

void TestCellFormats::formats_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("family");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* name, const char* format, int family, double value, int width,
                        int decimals, const char* expected) {
        QTest::newRow(name) << format << family << value << QString() << width << decimals << expected;
    };
    const auto textRow = [](const char* name, const char* format, const char* text, const char* expected) {
        QTest::newRow(name) << format << P << 0.0 << text << 0 << 0 << expected;
    };

    row("int player", "IntCell", P, 1234, 6, 0, "  1234");
    row("int player missing", "IntCell", P, -999, 6, 0, "   ---");
    row("int player negative", "IntCell", P, -5, 6, 0, "    -5");
    row("int team negative is missing", "IntCell", T, -5, 5, 0, "  ---");
    row("int team zero", "IntCell", T, 0, 5, 0, "    0");
    row("int longer than width not cut", "IntCell", P, 1234567, 5, 0, "1234567");

    row("real", "RealCell", P, 45.678, 7, 1, "   45.7");
    row("real player missing", "RealCell", P, -999.0, 7, 1, "    ---");
    row("real zero", "RealCell", P, 0, 7, 1, "    0.0");
    row("real player -1 is a value", "RealCell", P, -1.0, 5, 1, " -1.0");
    row("real team missing", "RealCell", T, -1.0, 5, 1, "  ---");
    row("real team -999 is a value", "RealCell", T, -999.0, 5, 1, "-999.0");
    row("real team negative", "RealCell", T, -2.5, 5, 1, " -2.5");
    row("real half up", "RealCell", P, 45.25, 5, 1, " 45.3");
    row("real half away from zero", "RealCell", P, -45.25, 5, 1, "-45.3");
    row("real half of a whole", "RealCell", P, 2.5, 3, 0, "  3");
    row("real stored below half", "RealCell", P, 2.675, 4, 2, "2.67");
    row("real half on 18 digits", "RealCell", P, 1000.005, 7, 2, "1000.01");
    row("real rounds to carry", "RealCell", P, 99.96, 5, 1, "100.0");
    row("real below one", "RealCell", P, 0.456, 5, 3, "0.456");
    row("real tiny negative unsigned", "RealCell", T, -0.04, 5, 1, "  0.0");
    row("real beyond 18 digits", "RealCell", P, 1e20, 5, 1, "100000000000000000000.0");
    row("real tiny", "RealCell", P, 1e-20, 5, 3, "0.000");

    row("fraction below one", "FractionCell", P, 0.456, 5, 3, " .456");
    row("fraction above one", "FractionCell", P, 1.25, 5, 3, "1.250");
    row("fraction zero", "FractionCell", P, 0, 5, 3, " .000");
    row("fraction negative", "FractionCell", P, -0.5, 5, 3, "- .500");
    row("fraction rounds to one", "FractionCell", P, 0.9996, 5, 3, "1.000");
    row("fraction per minute", "FractionCell", P, 0.8125, 5, 3, " .813");
    row("fraction 1.05", "FractionCell", P, 1.05, 5, 3, "1.050");
    row("fraction ten", "FractionCell", T, 10.5, 6, 3, "10.500");
    row("fraction team win share", "FractionCell", T, 50.0 / 82.0, 6, 3, "  .610");
    row("fraction team perfect", "FractionCell", T, 1.0, 6, 3, " 1.000");
    row("fraction team missing", "FractionCell", T, -1.0, 6, 3, "   ---");

    row("signed negative", "SignedRealCell", T, -3.44, 5, 1, " -3.4");
    row("signed -1 is a value", "SignedRealCell", T, -1.0, 5, 1, " -1.0");

    textRow("text trailing blanks", "TextCell", "Chamberlain, Wilt    ", "Chamberlain, Wilt");
    textRow("text leading blanks kept", "TextCell", "  ATL", "  ATL");
    textRow("height", "HeightCell", "6-9", "6-9");
    textRow("height missing", "HeightCell", "-999", "---");
    textRow("height missing inside", "HeightCell", "x-999", "---");
    textRow("division missing", "DivisionCell", "-1 ", "---");
    textRow("division", "DivisionCell", "Atl ", "Atl");
    textRow("division empty", "DivisionCell", "", "");
    textRow("division blanks", "DivisionCell", "    ", "");
    textRow("division dash inside", "DivisionCell", "A-1", "A-1");
}

void TestCellFormats::formats() {
    QFETCH(QString, format);
    QFETCH(int, family);
    QFETCH(double, value);
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, decimals);
    QFETCH(QString, expected);

    const auto f = static_cast<Family>(family);
    const std::string bytes = text.toStdString();
    QString actual;
    if (format == "IntCell")
        actual = IntCell(f, static_cast<long long>(value), width);
    else if (format == "RealCell")
        actual = RealCell(f, value, width, decimals);
    else if (format == "FractionCell")
        actual = FractionCell(f, value, width, decimals);
    else if (format == "SignedRealCell")
        actual = SignedRealCell(value, width, decimals);
    else if (format == "TextCell")
        actual = TextCell(bytes);
    else if (format == "HeightCell")
        actual = HeightCell(bytes);
    else if (format == "DivisionCell")
        actual = DivisionCell(bytes);
    else
        QFAIL("unknown format");
    QCOMPARE(actual, expected);
}

// Whole cells through the catalogue: the field a column reads, its format, the totals row rules.
void TestCellFormats::cells_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("totals");
    QTest::addColumn<QVariantMap>("fields");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* name, int family, int column, bool totals, const QVariantMap& fields,
                        const char* expected) {
        QTest::newRow(name) << family << column << totals << fields << expected;
    };
    const QVariantMap teamTotals{{"5", 82.0},
                                 {"16", 3280.0},
                                 {"35", 3000.0},
                                 {"61", 999.0},
                                 {"62", 999.0},
                                 {"1", QStringLiteral("Totals      ")},
                                 {"0", QStringLiteral("ATL")}};

    row("player points", P, 28, false, {{"45", 2432.0}, {"28", 29.6}}, "   2432");
    row("player average", P, 29, false, {{"45", 2432.0}, {"28", 29.6}}, "  29.6");
    row("player year", P, 1, false, {{"4", QStringLiteral("7475  ")}, {"1", QStringLiteral("NBA")}}, "7475");
    row("player league", P, 4, false, {{"4", QStringLiteral("7475  ")}, {"1", QStringLiteral("NBA")}}, "NBA");
    row("player steals missing", P, 25, false, {{"25", -999.0}}, "   ---");
    row("player rating per game missing", P, 30, false, {{"29", -999.0}}, "  ---");
    row("player rating per minute missing", P, 31, false, {{"30", -999.0}}, "   ---");
    row("player height missing", P, 5, false, {{"5", QStringLiteral("-999")}}, "---");
    row("player minutes", P, 7, false, {{"7", 3112.0}}, "    3112");
    row("player points per minute", P, 75, false, {{"75", 0.8125}}, " .813");
    row("player unwritten int", P, 6, false, {}, "     0");
    row("player unwritten real", P, 10, false, {}, "    0.0");
    row("player unwritten text", P, 0, false, {}, "");
    row("player totals name", P, 0, true, {{"0", QStringLiteral("TOTALS   ")}}, "TOTALS");
    row("player totals height blank", P, 5, true, {{"5", QStringLiteral("6-9")}}, "");
    row("player totals points", P, 28, true, {{"45", 2432.0}}, "   2432");

    row("team win share", T, 8, false, {{"8", 50.0 / 82.0}}, "  .610");
    row("team wins missing", T, 6, false, {{"6", -3.0}}, "  ---");
    row("team point difference", T, 60, false, {{"56", -3.44}}, " -3.4");
    row("team point difference -1", T, 60, false, {{"56", -1.0}}, " -1.0");
    row("team division missing", T, 4, false, {{"3", QStringLiteral("-1  ")}}, "---");
    row("team year", T, 0, false, {{"4", QStringLiteral("7475")}}, "7475");
    row("team disqualifications", T, 32, false, {{"59", 12.0}, {"31", 2000.0}}, "   12");
    row("team per game from reply", T, 62, false, {{"63", 88.25}, {"62", 1.0}}, " 88.3");
    row("team totals code shows name", T, 1, true, teamTotals, "Totals");
    row("team totals year blank", T, 0, true, {{"4", QStringLiteral("7475")}}, "");
    row("team totals per game computed", T, 61, true, teamTotals, " 40.0");
    row("team totals def per game", T, 75, true, teamTotals, " 36.6");
    row("team totals no games divides by one", T, 61, true, {{"16", 3280.0}}, "3280.0");
    row("team totals per game missing only at -1", T, 61, true, {{"5", 2.0}, {"16", -2.0}}, "  ---");
    row("team totals per game other negative", T, 61, true, {{"5", 2.0}, {"16", -3.0}}, " -1.5");
}

void TestCellFormats::cells() {
    QFETCH(int, family);
    QFETCH(int, column);
    QFETCH(bool, totals);
    QFETCH(QVariantMap, fields);
    QFETCH(QString, expected);

    const int record = totals ? 0 : 7;
    const OneRecord rows(record, fields);
    QCOMPARE(
        cellText(static_cast<Family>(family), column, totals ? RowKind::Totals : RowKind::Data, rows, record),
        expected);
}

void TestCellFormats::playerTotalsRowShowsOnlyTotalledColumns() {
    QVariantMap fields;
    for (int field = 0; field < kPlayerFieldCount; ++field) {
        if (field <= 5)
            fields[QString::number(field)] = QStringLiteral("x");
        else
            fields[QString::number(field)] = 1.0;
    }
    const OneRecord totals(0, fields);
    QList<int> empty;
    for (int column = 0; column < kPlayerFieldCount; ++column) {
        if (cellText(Family::Players, column, RowKind::Totals, totals, 0).isEmpty())
            empty << column;
    }
    QCOMPARE(empty, (QList<int>{1, 2, 3, 4, 5, 34, 35, 36, 37, 38, 39, 45}));
}

QTEST_GUILESS_MAIN(TestCellFormats)
#include "tst_cellformats.moc"
