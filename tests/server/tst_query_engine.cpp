#include "DatabaseWriter.h"
#include "FixtureDatabase.h"
#include "QueryEngine.h"
#include "RequestError.h"
#include "RequestParser.h"
#include "TableLoader.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace statdesk;
using namespace statdesk::server;

namespace {

using Keys = std::vector<long long>;

std::string body(const std::string& head, const std::string& criteria = "*\r\n") {
    return head + "\r\n" + criteria + "\x1a";
}

std::vector<std::string> replyLines(const std::string& reply) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = reply.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(reply.substr(start, end - start));
    if (start != reply.size())
        lines.push_back(reply.substr(start) + "<no line end>");
    return lines;
}

} // namespace

class QueryEngineTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void requestForms_data();
    void requestForms();
    void limitLinesAsTheDialogBuildsThem_data();
    void limitLinesAsTheDialogBuildsThem();
    void sortOrders_data();
    void sortOrders();
    void criteria_data();
    void criteria();
    void pagesCoverTheResultOnceAndPadPastTheEnd();
    void totalsSumWhatRowsHave_data();
    void totalsSumWhatRowsHave();
    void listQueries_data();
    void listQueries();
    void bothWritersLoadAsTheFixtureRows();

  private:
    Keys keysOf(Dataset dataset, const std::string& requestBody);

    QTemporaryDir m_folder;
    std::unique_ptr<QueryEngine> m_engine;
};

void QueryEngineTest::initTestCase() {
    QVERIFY(m_folder.isValid());
    const QString path = m_folder.filePath("fixture.db");
    test::writeFixtureDatabase(path);
    m_engine = std::make_unique<QueryEngine>(loadTables(path.toStdString()));
}

Keys QueryEngineTest::keysOf(Dataset dataset, const std::string& requestBody) {
    const ServiceRequest request = parseRequest(requestBody, familyOf(dataset));
    Keys keys;
    for (uint32_t row : m_engine->result(dataset, request)->rows)
        keys.push_back(m_engine->table(dataset).rowKey(row));
    return keys;
}

void QueryEngineTest::requestForms_data() {
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QList<int>>("codes");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("size");
    QTest::newRow("one code") << QByteArray("0!20!300!") << QList<int>{300} << 0 << 20;
    QTest::newRow("two codes") << QByteArray("10!15!B!1!128!") << QList<int>{1, 128} << 10 << 15;
    QTest::newRow("three codes") << QByteArray("3!4!Y!0!101!7!") << QList<int>{0, 101, 7} << 3 << 4;
    QTest::newRow("four codes") << QByteArray("0!1!Z!5!6!107!300!") << QList<int>{5, 6, 107, 300} << 0 << 1;
    QTest::newRow("page size 0 with a sort") << QByteArray("0!0!B!1!2!") << QList<int>{1, 2} << 0 << 0;
}

void QueryEngineTest::requestForms() {
    QFETCH(QByteArray, head);
    const ServiceRequest request = parseRequest(body(head.toStdString()), Family::Players);
    QVERIFY(!request.isList);
    QFETCH(QList<int>, codes);
    QCOMPARE(QList<int>(request.sortCodes.begin(), request.sortCodes.end()), codes);
    QTEST(static_cast<int>(request.pageStart), "start");
    QTEST(request.pageSize, "size");
}

// Bounds travel exactly as typed and the stored line is cut at 50 characters.
void QueryEngineTest::limitLinesAsTheDialogBuildsThem_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QByteArray>("minimum");
    QTest::addColumn<QByteArray>("maximum");
    QTest::newRow("dialog defaults") << QByteArray("E0!0!9999!") << 0 << QByteArray("0")
                                     << QByteArray("9999");
    QTest::newRow("typed with blanks and comma")
        << QByteArray("E29! 1,5 !20 !") << 29 << QByteArray(" 1,5 ") << QByteArray("20 ");
    QTest::newRow("empty maximum") << QByteArray("E7!1!!") << 7 << QByteArray("1") << QByteArray();
    QTest::newRow("cut after the minimum")
        << QByteArray("E7!" + QByteArray(46, '1') + "!") << 7 << QByteArray(46, '1') << QByteArray();
    QTest::newRow("cut inside the minimum")
        << QByteArray("E7!" + QByteArray(47, '1')) << 7 << QByteArray(47, '1') << QByteArray();
    QTest::newRow("cut inside the maximum")
        << QByteArray("E28!1!" + QByteArray(44, '9')) << 28 << QByteArray("1") << QByteArray(44, '9');
    QTest::newRow("bang typed in a bound")
        << QByteArray("E7!1!2!3!") << 7 << QByteArray("1") << QByteArray("2!3");
}

void QueryEngineTest::limitLinesAsTheDialogBuildsThem() {
    QFETCH(QByteArray, line);
    QVERIFY(line.size() <= 50);
    const ServiceRequest request =
        parseRequest(body("0!20!300!", line.toStdString() + "\r\n*\r\n"), Family::Players);
    QCOMPARE(request.groups.size(), size_t(1));
    QCOMPARE(request.groups[0].size(), size_t(1));
    const Criterion& limit = request.groups[0][0];
    QCOMPARE(limit.letter, 'E');
    QTEST(limit.column, "column");
    QTEST(QByteArray::fromStdString(limit.minimum), "minimum");
    QTEST(QByteArray::fromStdString(limit.maximum), "maximum");
}

void QueryEngineTest::sortOrders_data() {
    QTest::addColumn<int>("dataset");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<Keys>("expected");
    const int players = static_cast<int>(Dataset::PlayersRegular);
    const int teams = static_cast<int>(Dataset::TeamsRegular);
    // Players default: name without regard to case, then season, then row key.
    QTest::newRow("default") << players << QByteArray("0!1!300!")
                             << Keys{10, 1, 2, 3, 4, 5, 6, 7, 11, 8, 9, 12};
    QTest::newRow("unknown codes ignored") << players << QByteArray("0!1!Z!99!250!-3!987654321098!")
                                           << Keys{10, 1, 2, 3, 4, 5, 6, 7, 11, 8, 9, 12};
    // Column 28 shows points (field 45); ties at 2000 fall back to the default order.
    QTest::newRow("points desc") << players << QByteArray("0!1!28!")
                                 << Keys{9, 1, 3, 12, 5, 4, 6, 2, 8, 10, 7, 11};
    QTest::newRow("steals asc, missing last")
        << players << QByteArray("0!1!125!") << Keys{7, 11, 10, 12, 3, 5, 1, 4, 9, 2, 6, 8};
    QTest::newRow("steals desc, missing last")
        << players << QByteArray("0!1!25!") << Keys{9, 4, 1, 5, 3, 12, 10, 7, 11, 2, 6, 8};
    QTest::newRow("minutes desc, missing last")
        << players << QByteArray("0!1!7!") << Keys{4, 3, 1, 9, 5, 6, 2, 7, 10, 12, 11, 8};
    // Column 1 is the year: "9900" comes before "0001".
    QTest::newRow("year desc") << players << QByteArray("0!1!1!")
                               << Keys{11, 9, 12, 3, 7, 10, 2, 5, 1, 4, 6, 8};
    QTest::newRow("year asc") << players << QByteArray("0!1!101!")
                              << Keys{8, 6, 1, 4, 5, 10, 2, 3, 7, 11, 9, 12};
    QTest::newRow("height asc, sentinel texts last")
        << players << QByteArray("0!1!105!") << Keys{11, 6, 10, 3, 4, 5, 9, 12, 1, 7, 2, 8};
    QTest::newRow("league desc then year asc")
        << players << QByteArray("0!1!B!4!101!") << Keys{6, 1, 5, 10, 2, 3, 7, 11, 9, 12, 8, 4};
    // Teams default: season, then team name.
    QTest::newRow("teams default") << teams << QByteArray("0!1!300!") << Keys{1, 3, 4, 2};
    // Column 32 shows off disqualifications (field 59); a negative count is missing.
    QTest::newRow("teams off DQ desc") << teams << QByteArray("0!1!32!") << Keys{3, 1, 4, 2};
    QTest::newRow("teams code asc") << teams << QByteArray("0!1!101!") << Keys{1, 4, 2, 3};
    QTest::newRow("teams four keys") << teams << QByteArray("0!1!Z!103!6!300!0!") << Keys{3, 1, 2, 4};
}

void QueryEngineTest::sortOrders() {
    QFETCH(int, dataset);
    QFETCH(QByteArray, head);
    QTEST(keysOf(static_cast<Dataset>(dataset), body(head.toStdString())), "expected");
}

void QueryEngineTest::criteria_data() {
    QTest::addColumn<QByteArray>("criteria");
    QTest::addColumn<Keys>("expected");
    const Keys all = {10, 1, 2, 3, 4, 5, 6, 7, 11, 8, 9, 12};
    QTest::newRow("no criteria") << QByteArray("*\r\n") << all;
    QTest::newRow("empty groups") << QByteArray("*\r\n*\r\n") << all;
    QTest::newRow("players are alternatives")
        << QByteArray("ABaker Al\r\nAZane Mo\r\n*\r\n") << Keys{2, 3, 9, 12};
    QTest::newRow("without regard to case") << QByteArray("ABAKER AL\r\n*\r\n") << Keys{2, 3};
    QTest::newRow("letters combine") << QByteArray("ABaker Al\r\nC9900\r\n*\r\n") << Keys{2};
    QTest::newRow("groups combine") << QByteArray("ABaker Al\r\n*\r\nC0001\r\n*\r\n") << Keys{3};
    QTest::newRow("last group without end") << QByteArray("C7475\r\n") << Keys{1, 4};
    QTest::newRow("team") << QByteArray("BBoston Celtics\r\n*\r\n") << Keys{1, 2, 6, 8};
    QTest::newRow("leagues") << QByteArray("DABA\r\nDBAA\r\n*\r\n") << Keys{4, 8};
    QTest::newRow("points limit inclusive") << QByteArray("E28!1000!2000!\r\n*\r\n") << Keys{1, 3, 4, 5, 12};
    QTest::newRow("limits are alternatives")
        << QByteArray("E28!2000!2000!\r\nE28!0!0!\r\n*\r\n") << Keys{1, 3, 7, 11, 12};
    QTest::newRow("bounds typed with blanks")
        << QByteArray("E28! 1000 ! 2000 !\r\n*\r\n") << Keys{1, 3, 4, 5, 12};
    QTest::newRow("limit and choice") << QByteArray("E28!1000!2000!\r\nDNBA\r\n*\r\n") << Keys{1, 3, 5, 12};
    QTest::newRow("real limit") << QByteArray("E29!20!30!\r\n*\r\n") << Keys{1, 3, 5, 9};
    QTest::newRow("real limit with fractions") << QByteArray("E29!24.3!24.4!\r\n*\r\n") << Keys{1, 3};
    QTest::newRow("year limit across 2000") << QByteArray("E1!9900!0001!\r\n*\r\n") << Keys{10, 2, 3, 7};
    QTest::newRow("missing never passes")
        << QByteArray("E25!-1000!1000!\r\n*\r\n") << Keys{10, 1, 3, 4, 5, 7, 11, 9, 12};
    QTest::newRow("text limit without regard to case")
        << QByteArray("E3!boston celtics!BOSTON CELTICS!\r\n*\r\n") << Keys{1, 2, 6, 8};
    QTest::newRow("text limit skips sentinel texts")
        << QByteArray("E5!6-0!6-5!\r\n*\r\n") << Keys{10, 3, 6, 11};
    QTest::newRow("inverted limit") << QByteArray("E28!2000!1000!\r\n*\r\n") << Keys{};
    QTest::newRow("unknown player") << QByteArray("ANobody\r\n*\r\n") << Keys{};
}

void QueryEngineTest::criteria() {
    QFETCH(QByteArray, criteria);
    QTEST(keysOf(Dataset::PlayersRegular, body("0!1!300!", criteria.toStdString())), "expected");
}

void QueryEngineTest::pagesCoverTheResultOnceAndPadPastTheEnd() {
    const std::string criteria = "E28!1!9999!\r\n*\r\n";
    const Keys whole = keysOf(Dataset::PlayersRegular, body("0!1!28!", criteria));
    QCOMPARE(whole.size(), size_t(10));
    std::vector<std::string> seen;
    const int pageSize = 4;
    for (int start = 0; start < 12; start += pageSize) {
        const auto lines = replyLines(m_engine->answer(
            Dataset::PlayersRegular,
            body(std::to_string(start) + "!" + std::to_string(pageSize) + "!28!", criteria)));
        QCOMPARE(lines.size(), size_t(1 + (pageSize + 1) * kPlayerFieldCount));
        QCOMPARE(lines[0], std::string("10"));
        for (int i = 0; i < pageSize; ++i) {
            const size_t first = 1 + static_cast<size_t>(i * kPlayerFieldCount);
            if (start + i >= 10) {
                QVERIFY(std::all_of(lines.begin() + first, lines.begin() + first + kPlayerFieldCount,
                                    [](const std::string& line) { return line.empty(); }));
                continue;
            }
            seen.push_back(lines[first] + "|" + lines[first + 4] + "|" + lines[first + 45]);
        }
        QCOMPARE(lines[1 + pageSize * kPlayerFieldCount], std::string("TOTALS"));
    }
    std::vector<std::string> expected;
    for (long long key : whole) {
        const test::FixturePlayer& player = test::fixturePlayers().at(static_cast<size_t>(key - 1));
        QCOMPARE(player.key, key);
        expected.push_back(player.name + "|" + player.year + "|" +
                           std::to_string(static_cast<long long>(player.points)));
    }
    QCOMPARE(seen, expected);

    const auto far = replyLines(m_engine->answer(Dataset::PlayersRegular, body("5000!2!300!")));
    QCOMPARE(far.size(), size_t(1 + 3 * kPlayerFieldCount));
    QCOMPARE(far[1], std::string());
    QCOMPARE(far[1 + 2 * kPlayerFieldCount], std::string("TOTALS"));
}

void QueryEngineTest::totalsSumWhatRowsHave_data() {
    QTest::addColumn<QByteArray>("criteria");
    QTest::addColumn<double>("games");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("steals");
    QTest::addColumn<double>("points");
    QTest::newRow("some missing") << QByteArray("BBoston Celtics\r\n*\r\n") << 262.0 << 6500.0 << 100.0
                                  << 4300.0;
    QTest::newRow("all missing") << QByteArray("ABaker Al\r\nC9900\r\n*\r\n") << 50.0 << 1500.0
                                 << test::kMissing << 800.0;
    QTest::newRow("empty result") << QByteArray("ANobody\r\n*\r\n") << test::kMissing << test::kMissing
                                  << test::kMissing << test::kMissing;
}

void QueryEngineTest::totalsSumWhatRowsHave() {
    QFETCH(QByteArray, criteria);
    const auto lines =
        replyLines(m_engine->answer(Dataset::PlayersRegular, body("0!0!300!", criteria.toStdString())));
    QCOMPARE(lines.size(), size_t(1 + kPlayerFieldCount));
    const auto field = [&](int index) { return std::stod(lines[1 + static_cast<size_t>(index)]); };
    QCOMPARE(lines[1], std::string("TOTALS"));
    for (int text = 1; text <= 5; ++text)
        QCOMPARE(lines[1 + static_cast<size_t>(text)], std::string());
    QTEST(field(6), "games");
    QTEST(field(7), "minutes");
    QTEST(field(25), "steals");
    QTEST(field(45), "points");
    QFETCH(double, games);
    QFETCH(double, points);
    if (games > 0)
        QVERIFY(std::abs(field(28) - points / games) < 1e-9); // average from the sums, not of the averages
}

void QueryEngineTest::listQueries_data() {
    QTest::addColumn<int>("dataset");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QStringList>("expected");
    const int players = static_cast<int>(Dataset::PlayersRegular);
    const int teams = static_cast<int>(Dataset::TeamsRegular);
    QTest::newRow("players, one per name whatever the case")
        << players << QByteArray("0!0!A!\r\n*\r\n")
        << QStringList{"Abbot Cy", "Abdul Zed", "Baker Al", "Carter Vi", "Davis Ed",
                       "Evans Ty", "Ng Lu",     "Young Bo", "Zane Mo"};
    QTest::newRow("years in season order")
        << players << QByteArray("0!0!C!\r\n*\r\n")
        << QStringList{"4647", "6263", "7475", "7677", "9900", "0001", "2324"};
    QTest::newRow("leagues") << players << QByteArray("0!0!E!\r\n*\r\n") << QStringList{"ABA", "BAA", "NBA"};
    QTest::newRow("teams under criteria") << players << QByteArray("0!0!D!\r\nC7475\r\n*\r\n")
                                          << QStringList{"Boston Celtics", "New York Nets"};
    QTest::newRow("team dataset teams")
        << teams << QByteArray("0!0!D!\r\n*\r\n")
        << QStringList{"Boston Celtics", "Los Angeles Lakers", "New York Nets"};
    QTest::newRow("nothing left") << teams << QByteArray("0!0!C!\r\nDBAA\r\n*\r\n") << QStringList{};
}

void QueryEngineTest::listQueries() {
    QFETCH(int, dataset);
    QFETCH(QByteArray, request);
    QFETCH(QStringList, expected);
    const auto lines =
        replyLines(m_engine->answer(static_cast<Dataset>(dataset), request.toStdString() + "\x1a"));
    QCOMPARE(lines.size(), static_cast<size_t>(expected.size() + 2));
    QCOMPARE(lines.front(), std::to_string(expected.size()));
    QCOMPARE(lines.back(), std::string("END"));
    QStringList values;
    for (size_t i = 1; i + 1 < lines.size(); ++i)
        values << QString::fromStdString(lines[i]);
    QCOMPARE(values, expected);
}

// The fixture's own SQL and the builder's writer, given the same rows, both load as exactly those rows: the
// first checks the loader, the second the writer.
void QueryEngineTest::bothWritersLoadAsTheFixtureRows() {
    const std::vector<test::FixtureTable> source = test::fixtureTables();
    std::vector<dataset::Dataset> datasets;
    for (const test::FixtureTable& table : source) {
        const Family family = table.players ? Family::Players : Family::Teams;
        dataset::Dataset written{table.name, family, {}};
        for (const test::FixtureRow& row : table.rows)
            written.rows.push_back({row.seasonStart, stats::StatRow{family, row.texts, row.numbers}});
        datasets.push_back(std::move(written));
    }
    std::vector<const dataset::Dataset*> order;
    for (const dataset::Dataset& written : datasets)
        order.push_back(&written);
    const QString built = m_folder.filePath("builder.db");
    dataset::writeDatabase(built.toStdString(), order, {{"text_encoding", "windows-1252"}});

    for (const QString& file : {m_folder.filePath("fixture.db"), built}) {
        const std::vector<StatTable> loaded = loadTables(file.toStdString());
        QCOMPARE(loaded.size(), source.size());
        for (size_t t = 0; t < source.size(); ++t) {
            const test::FixtureTable& want = source[t];
            const StatTable& got = loaded[t];
            QCOMPARE(got.family() == Family::Players, want.players);
            QCOMPARE(got.rowCount(), want.rows.size());
            for (size_t r = 0; r < want.rows.size(); ++r) {
                const test::FixtureRow& row = want.rows[r];
                QCOMPARE(got.rowKey(r), row.key);
                QCOMPARE(got.seasonStart(r), row.seasonStart);
                for (int f = 0; f < want.fieldCount; ++f) {
                    const auto index = static_cast<size_t>(f);
                    const QByteArray where = file.toUtf8() + " " + QByteArray::fromStdString(want.name) +
                                             " row " + QByteArray::number(row.key) + " field " +
                                             QByteArray::number(f);
                    if (f < want.textFields)
                        QVERIFY2(got.text(f, r) == row.texts[index], where.constData());
                    else
                        QVERIFY2(got.value(f, r) == row.numbers[index], where.constData());
                }
            }
        }
    }
}

QTEST_GUILESS_MAIN(QueryEngineTest)
#include "tst_query_engine.moc"
