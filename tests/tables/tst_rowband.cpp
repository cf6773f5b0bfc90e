#include "RowBand.h"
#include "RowSource.h"

#include <QTest>

#include <string>
#include <vector>

using namespace statdesk;

namespace {

constexpr int P = static_cast<int>(Family::Players);
constexpr int T = static_cast<int>(Family::Teams);

// Records 1..n keyed by `keys` in one field; every other field differs from record to record, so
// alternating by the wrong field changes the bands.
class KeyedRows final : public RowSource {
  public:
    KeyedRows(int keyField, const QStringList& keys) : m_keyField(keyField) {
        for (const QString& key : keys)
            m_keys.push_back(key.toStdString());
        for (int record = 0; record <= keys.size() + 1; ++record)
            m_other.push_back("r" + std::to_string(record));
    }
    std::string_view text(int record, int field) const override {
        if (record < 1 || record > int(m_keys.size()))
            return {};
        return field == m_keyField ? std::string_view(m_keys[record - 1]) : std::string_view(m_other[record]);
    }
    double number(int, int) const override { return 0; }

  private:
    int m_keyField;
    std::vector<std::string> m_keys;
    std::vector<std::string> m_other;
};

} // namespace

class TestRowBand : public QObject {
    Q_OBJECT

  private slots:
    void bands_data();
    void bands();
    void bandColours();
};

void TestRowBand::bands_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("alternateBy");
    QTest::addColumn<int>("keyField");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QList<int>>("expected"); // records 1 .. rows + 2

    QTest::newRow("runs of players") << P << 0 << 0 << QStringList{"X", "X", "Y", "Y", "Y", "Z"}
                                     << QList<int>{0, 0, 1, 1, 1, 0, 3, 3};
    QTest::newRow("one row") << P << 0 << 0 << QStringList{"X"} << QList<int>{0, 3, 3};
    QTest::newRow("empty result") << P << 0 << 0 << QStringList{} << QList<int>{3, 3};
    QTest::newRow("case counts") << P << 0 << 0 << QStringList{"y", "Y", "Y"} << QList<int>{0, 1, 1, 3, 3};
    QTest::newRow("trailing blank counts") << P << 0 << 0 << QStringList{"Y", "Y "} << QList<int>{0, 1, 3, 3};
    QTest::newRow("players by team name")
        << P << 1 << 3 << QStringList{"Bulls", "Bulls", "Jazz"} << QList<int>{0, 0, 1, 3, 3};
    QTest::newRow("players by year") << P << 2 << 4 << QStringList{"9697", "9798", "9798"}
                                     << QList<int>{0, 1, 1, 3, 3};
    // Every other field differs from row to row, so any key but the name would split the run.
    QTest::newRow("players by league choice: name")
        << P << 3 << 0 << QStringList{"X", "X", "Y"} << QList<int>{0, 0, 1, 3, 3};
    QTest::newRow("teams by team name")
        << T << 0 << 1 << QStringList{"Celtics", "Celtics", "Lakers"} << QList<int>{0, 0, 1, 3, 3};
    QTest::newRow("teams by division")
        << T << 2 << 3 << QStringList{"Atl", "Cen", "Cen", "Atl"} << QList<int>{0, 1, 1, 0, 3, 3};
    QTest::newRow("teams by league") << T << 3 << 2 << QStringList{"NBA", "ABA"} << QList<int>{0, 1, 3, 3};
}

void TestRowBand::bands() {
    QFETCH(int, family);
    QFETCH(int, alternateBy);
    QFETCH(int, keyField);
    QFETCH(QStringList, keys);
    QFETCH(QList<int>, expected);

    const KeyedRows rows(keyField, keys);
    // Bands left from an earlier, longer result must not leak into this one.
    std::vector<std::uint8_t> bands(kRowBandEntries + 1, 0xEE);
    const int gridLineCount = int(keys.size()) + 1;
    computeRowBands(static_cast<Family>(family), alternateBy, rows, gridLineCount, bands);
    QList<int> actual;
    for (int record = 1; record <= gridLineCount + 1; ++record)
        actual << bands[record];
    QCOMPARE(actual, expected);
}

void TestRowBand::bandColours() {
    ColorSettings& settings = colorSettings();
    const ColorSettings saved = settings;
    settings.ColorSet1 = QColor(0, 128, 0);
    settings.ColorSet2 = QColor(255, 255, 0);
    QCOMPARE(bandColor(kBandColorSet1), QColor(0, 128, 0));
    QCOMPARE(bandColor(kBandColorSet2), QColor(255, 255, 0));
    QCOMPARE(bandColor(kBandTotals), QColor(0, 0, 128));
    settings = saved;
}

QTEST_GUILESS_MAIN(TestRowBand)
#include "tst_rowband.moc"
