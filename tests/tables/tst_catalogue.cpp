#include "ColumnCatalogue.h"
#include "ReplyLayout.h"

#include <QTest>

#include <string>

using namespace statdesk;

namespace {

constexpr int P = static_cast<int>(Family::Players);
constexpr int T = static_cast<int>(Family::Teams);

FieldType typeShownBy(CellKind kind) {
    switch (kind) {
    case CellKind::Int:
    case CellKind::PerGame: // a season total divided by games
        return FieldType::Integer;
    case CellKind::Real:
    case CellKind::Fraction:
    case CellKind::SignedReal:
        return FieldType::Real;
    default:
        return FieldType::Text;
    }
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

  private slots:
    void counts();
    void replyOrder_data();
    void replyOrder();
    void everyReplyFieldShownOnce_data();
    void everyReplyFieldShownOnce();
    void teamTotalsPerGameDivideTheMatchingTotal();
    void names_data();
    void names();
};

void TestCatalogue::counts() {
    QCOMPARE(columns(Family::Players).size(), size_t(76));
    QCOMPARE(columnCount(Family::Players), 76);
    QCOMPARE(columns(Family::Teams).size(), size_t(89));
    QCOMPARE(columnCount(Family::Teams), 89);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, columnInfo(Family::Teams, 89));
}

// Where the grid order differs from the reply order.
void TestCatalogue::replyOrder_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("field");

    const struct {
        int family, column, field;
    } cases[] = {
        {P, 0, 0},   {P, 1, 4},   {P, 4, 1},   {P, 27, 27}, {P, 28, 45}, {P, 29, 28},
        {P, 30, 29}, {P, 45, 44}, {P, 46, 46}, {T, 0, 4},   {T, 1, 0},   {T, 2, 1},
        {T, 3, 2},   {T, 4, 3},   {T, 31, 31}, {T, 32, 59}, {T, 33, 32}, {T, 52, 60},
        {T, 53, 51}, {T, 56, 57}, {T, 57, 58}, {T, 58, 54}, {T, 59, 55}, {T, 60, 56},
        {T, 61, 61}, {T, 62, 63}, {T, 74, 87}, {T, 75, 62}, {T, 88, 88},
    };
    for (const auto& c : cases)
        QTest::addRow("%s column %d", c.family == P ? "players" : "teams", c.column)
            << c.family << c.column << c.field;
}

void TestCatalogue::replyOrder() {
    QFETCH(int, family);
    QFETCH(int, column);
    QFETCH(int, field);
    QCOMPARE(replyFieldOfColumn(static_cast<Family>(family), column), field);
}

// Each reply field is shown by exactly one column, in a format that fits its type.
void TestCatalogue::everyReplyFieldShownOnce_data() {
    QTest::addColumn<int>("family");
    QTest::newRow("players") << P;
    QTest::newRow("teams") << T;
}

void TestCatalogue::everyReplyFieldShownOnce() {
    QFETCH(int, family);
    const auto f = static_cast<Family>(family);
    const auto fields = replyFields(f);
    QList<int> shown(fieldCount(f), 0);
    for (int column = 0; column < columnCount(f); ++column) {
        const ColumnInfo& info = columnInfo(f, column);
        ++shown[info.field];
        QCOMPARE(info.data.field, info.field);
        QCOMPARE(typeShownBy(info.data.kind), fields[info.field].type);
        if (info.totals.kind != CellKind::Blank)
            QCOMPARE(typeShownBy(info.totals.kind), fields[info.totals.field].type);
        QVERIFY(!info.header2.empty());
        QVERIFY2(!info.unhideName.empty() && info.unhideName.size() <= 30,
                 qPrintable(QString::number(column)));
    }
    QCOMPARE(shown, QList<int>(fieldCount(f), 1));
}

// The totals row's per-game column divides the season total whose per-game value the column shows.
void TestCatalogue::teamTotalsPerGameDivideTheMatchingTotal() {
    const auto fields = replyFields(Family::Teams);
    int perGameColumns = 0;
    for (int column = 0; column < columnCount(Family::Teams); ++column) {
        const ColumnInfo& info = columnInfo(Family::Teams, column);
        if (info.totals.kind != CellKind::PerGame)
            continue;
        ++perGameColumns;
        QCOMPARE(std::string(fields[info.field].content),
                 std::string(fields[info.totals.field].content) + " per game");
    }
    QCOMPARE(perGameColumns, 28);
}

// Exact texts the sort, limit and unhide dialogs and the grid headers rely on.
void TestCatalogue::names_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("expected");

    const auto row = [](int family, int column, const char* which, const char* expected) {
        QTest::addRow("%s %d %s", family == P ? "players" : "teams", column, which)
            << family << column << which << expected;
    };
    row(P, 0, "header1", "");
    row(P, 7, "header2", "     MIN");
    row(P, 28, "sort", "PTS     - points scored");
    row(P, 28, "limit", "PTS     - points scored");
    row(P, 28, "unhide", "points scored");
    row(P, 30, "limit", "PRFM RAT - performance pts/g");
    row(P, 9, "unhide", "FGA     - field goals attempte");
    row(T, 0, "sort", "YEAR        - year");
    row(T, 0, "limit", "year");
    row(T, 3, "limit", "LGE     - league");
    row(T, 37, "header1", "    DEF    ");
    row(T, 61, "sort", "off FGM/G    ");
    row(T, 74, "limit", "off BS/G     ");
    row(T, 67, "sort", "off OFF REB/G");
    row(T, 19, "unhide", "off EFF FG% - effective field ");
    row(T, 60, "sort", "PTS DIFF    - point differential per game");
}

void TestCatalogue::names() {
    QFETCH(int, family);
    QFETCH(int, column);
    QFETCH(QString, which);
    QFETCH(QString, expected);

    const ColumnInfo& info = columnInfo(static_cast<Family>(family), column);
    const std::string_view actual = which == "header1"   ? info.header1
                                    : which == "header2" ? info.header2
                                    : which == "sort"    ? info.sortName
                                    : which == "limit"   ? info.limitName
                                                         : info.unhideName;
    QCOMPARE(QString::fromLatin1(actual.data(), qsizetype(actual.size())), expected);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
