#include "RowBand.h"
#include "RowSource.h"

#include <QRandomGenerator>
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
    // As a reply rewrites a record; setting one past the end first adds the records before it.
    void setKey(int record, const std::string& key) {
        while (int(m_keys.size()) < record) {
            m_keys.emplace_back();
            m_other.push_back("r" + std::to_string(m_other.size()));
        }
        m_keys[size_t(record - 1)] = key;
    }

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
    void keptBands_data();
    void keptBands();
    void keptBandsAgainstFullComputation();
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

QList<int> bandList(const std::vector<std::uint8_t>& bands, int last) {
    QList<int> list;
    for (int record = 1; record <= last; ++record)
        list << bands[size_t(record)];
    return list;
}

// One rewrite after a first computation over X X Y Y Y Z (bands 0 0 1 1 1 0, totals 3 3).
void TestRowBand::keptBands_data() {
    QTest::addColumn<int>("record");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QList<int>>("expected"); // records 1 .. 8

    QTest::newRow("a new key flips every band after it") << 2 << "W" << QList<int>{0, 1, 0, 0, 0, 1, 3, 3};
    QTest::newRow("joining the run before") << 3 << "X" << QList<int>{0, 0, 0, 1, 1, 0, 3, 3};
    QTest::newRow("the same key changes nothing") << 4 << "Y" << QList<int>{0, 0, 1, 1, 1, 0, 3, 3};
    QTest::newRow("the first record") << 1 << "Y" << QList<int>{0, 1, 0, 0, 0, 1, 3, 3};
    QTest::newRow("the last record before the totals") << 6 << "Y" << QList<int>{0, 0, 1, 1, 1, 1, 3, 3};
}

void TestRowBand::keptBands() {
    QFETCH(int, record);
    QFETCH(QString, key);
    QFETCH(QList<int>, expected);

    KeyedRows rows(0, {"X", "X", "Y", "Y", "Y", "Z"});
    RowBands bands;
    bands.update(Family::Players, 0, rows, 7);
    rows.setKey(record, key.toStdString());
    bands.markRewritten(record, record);
    bands.update(Family::Players, 0, rows, 7);
    QCOMPARE(bandList(bands.values(), 8), expected);
}

// Random pages rewritten as scrolling and new queries would, with now and then another key or
// another result length; after every update the kept bands must equal a computation from scratch.
void TestRowBand::keptBandsAgainstFullComputation() {
    const std::vector<std::string> alphabet = {"A", "B", "C"};
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator random(seed);
        const auto randomKey = [&] { return alphabet[random.bounded(quint32(alphabet.size()))]; };
        // Records past the result's end stay in the cache, as they do in a window's.
        constexpr int kCached = 400;
        int records = 300;
        KeyedRows rows(0, {});
        for (int record = 1; record <= kCached; ++record)
            rows.setKey(record, randomKey());
        int alternateBy = 0;
        RowBands kept;
        kept.update(Family::Players, alternateBy, rows, records + 1);
        for (int step = 0; step < 200; ++step) {
            const int event = random.bounded(20);
            if (event == 0) {
                alternateBy = alternateBy == 0 ? 1 : 0; // the name, or a field unequal everywhere
            } else if (event == 1) {
                records = 1 + random.bounded(kCached);
            } else {
                const int first = 1 + random.bounded(records);
                const int last = std::min(records, first + random.bounded(30));
                for (int record = first; record <= last; ++record)
                    if (random.bounded(3) == 0)
                        rows.setKey(record, randomKey());
                kept.markRewritten(first, last);
            }
            kept.update(Family::Players, alternateBy, rows, records + 1);
            std::vector<std::uint8_t> fresh(kRowBandEntries + 1, 0xEE);
            computeRowBands(Family::Players, alternateBy, rows, records + 1, fresh);
            const QList<int> expected = bandList(fresh, records + 2);
            if (bandList(kept.values(), records + 2) != expected)
                QFAIL(qPrintable(QStringLiteral("seed %1, step %2").arg(seed).arg(step)));
        }
    }
}

QTEST_GUILESS_MAIN(TestRowBand)
#include "tst_rowband.moc"
