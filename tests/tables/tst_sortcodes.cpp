#include "SortCodes.h"

#include <QTest>

using namespace statdesk;

namespace {
// A field box by entry position (column number + 1, 0 = "NONE") and direction.
SortField asc(int position) {
    return {position, true};
}
SortField desc(int position) {
    return {position, false};
}
const SortField none = asc(0);
const SortField noneDesc = desc(0);
} // namespace

Q_DECLARE_METATYPE(SortField)

class TestSortCodes : public QObject {
    Q_OBJECT
  private slots:
    void codes_data();
    void codes();
};

void TestSortCodes::codes_data() {
    QTest::addColumn<SortField>("f1");
    QTest::addColumn<SortField>("f2");
    QTest::addColumn<SortField>("f3");
    QTest::addColumn<SortField>("f4");
    QTest::addColumn<QList<int>>("expected");
    // The column numbers of the player list: 0 player name, 1 year, 2 team code, 6 games.
    QTest::newRow("all NONE, fourth ascending") << none << none << none << none << QList<int>{99};
    QTest::newRow("all NONE, fourth descending") << none << none << none << noneDesc << QList<int>{-1};
    QTest::newRow("year ascending") << asc(2) << none << none << none << QList<int>{101};
    QTest::newRow("player name descending second") << none << desc(1) << none << none << QList<int>{0};
    QTest::newRow("team code, games") << asc(3) << desc(7) << none << none << QList<int>{102, 6};
    QTest::newRow("gap in the second field stays as 99")
        << asc(3) << none << asc(6) << desc(8) << QList<int>{102, 105, 99, 7};
    QTest::newRow("gap after the first stays as -1")
        << none << desc(4) << none << asc(5) << QList<int>{3, -1, 104};
    QTest::newRow("four fields") << desc(29) << asc(2) << desc(1) << asc(4) << QList<int>{28, 101, 0, 103};
}

void TestSortCodes::codes() {
    QFETCH(SortField, f1);
    QFETCH(SortField, f2);
    QFETCH(SortField, f3);
    QFETCH(SortField, f4);
    QFETCH(QList<int>, expected);
    const std::vector<int> codes = computeSortCodes({f1, f2, f3, f4});
    QCOMPARE(QList<int>(codes.begin(), codes.end()), expected);
}

QTEST_GUILESS_MAIN(TestSortCodes)
#include "tst_sortcodes.moc"
