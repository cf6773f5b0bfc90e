#include "FixtureDatabase.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace statdesk::test {
namespace {

constexpr int kPlayerFields = 76, kTeamFields = 89, kPlayerTexts = 6, kTeamTexts = 5;
constexpr double kTeamMissing = -1;
constexpr int kPlayerGames = 6, kPlayerMinutes = 7, kPlayerSteals = 25, kPlayerAverage = 28,
              kPlayerPoints = 45;
constexpr int kTeamGames = 5, kTeamWins = 6, kTeamLosses = 7, kTeamOffDq = 59, kTeamOffPoints = 57;
// Season totals in reply order (games, minutes, shots, rebounds, ... points); the other numbers are derived.
constexpr int kPlayerTotals[] = {6, 7, 8, 9, 13, 14, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26, 27, 45};
constexpr int kTeamTotals[] = {5,  6,  7,  9,  10, 11, 12, 13, 14, 15, 16, 17, 21, 22,
                               24, 25, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 40, 41,
                               43, 44, 46, 47, 48, 49, 50, 51, 52, 53, 57, 58, 59, 60};

FixtureRow playerRow(const FixturePlayer& player) {
    FixtureRow row{player.key,
                   player.seasonStart,
                   {player.name, player.league, player.teamCode, player.teamName, player.year, player.height},
                   std::vector<double>(kPlayerFields, kMissing)};
    row.texts.resize(kPlayerFields);
    for (int field = 0; field < kPlayerTexts; ++field)
        row.numbers[field] = 0;
    for (int field : kPlayerTotals)
        row.numbers[field] = 1;
    row.numbers[kPlayerGames] = player.games;
    row.numbers[kPlayerMinutes] = player.minutes;
    row.numbers[kPlayerPoints] = player.points;
    row.numbers[kPlayerSteals] = player.steals;
    // The only derived value the tests look at; every other one stays missing.
    if (player.games > 0 && player.points != kMissing)
        row.numbers[kPlayerAverage] = player.points / player.games;
    return row;
}

FixtureRow teamRow(const FixtureTeam& team) {
    FixtureRow row{team.key,
                   team.seasonStart,
                   {team.code, team.name, team.league, team.division, team.year},
                   std::vector<double>(kTeamFields, kTeamMissing)};
    row.texts.resize(kTeamFields);
    for (int field = 0; field < kTeamTexts; ++field)
        row.numbers[field] = 0;
    for (int field : kTeamTotals)
        row.numbers[field] = 10;
    row.numbers[kTeamGames] = team.games;
    row.numbers[kTeamWins] = team.wins;
    row.numbers[kTeamLosses] = team.losses;
    row.numbers[kTeamOffDq] = team.offDq;
    row.numbers[kTeamOffPoints] = team.offPoints;
    return row;
}

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct Finalize {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

void check(sqlite3* db, int rc, const std::string& what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE)
        throw std::runtime_error("fixture database: " + what + ": " + sqlite3_errmsg(db));
}

void writeTable(sqlite3* db, const FixtureTable& table) {
    std::string create =
        "CREATE TABLE " + table.name + " (row_key INTEGER PRIMARY KEY, season_start INTEGER NOT NULL";
    std::string insert = "INSERT INTO " + table.name + " VALUES (?, ?";
    for (int field = 0; field < table.fieldCount; ++field) {
        create += ", f" + std::to_string(field) + (field < table.textFields ? " TEXT" : " REAL");
        insert += ", ?";
    }
    check(db, sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr), create);
    sqlite3_stmt* raw = nullptr;
    check(db, sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &raw, nullptr), insert);
    const std::unique_ptr<sqlite3_stmt, Finalize> statement(raw);
    for (const FixtureRow& row : table.rows) {
        sqlite3_bind_int64(raw, 1, row.key);
        sqlite3_bind_int(raw, 2, row.seasonStart);
        for (int field = 0; field < table.fieldCount; ++field) {
            const auto index = static_cast<size_t>(field);
            if (field < table.textFields)
                sqlite3_bind_text(raw, field + 3, row.texts[index].data(), int(row.texts[index].size()),
                                  SQLITE_TRANSIENT);
            else
                sqlite3_bind_double(raw, field + 3, row.numbers[index]);
        }
        check(db, sqlite3_step(raw), "insert into " + table.name);
        sqlite3_reset(raw);
    }
}

} // namespace

const std::vector<FixturePlayer>& fixturePlayers() {
    static const std::vector<FixturePlayer> players = {
        {1, "Abdul Zed", "NBA", "BOS", "Boston Celtics", "7475", "6-9", 1974, 82, 3000, 2000, 100},
        {2, "Baker Al", "NBA", "BOS", "Boston Celtics", "9900", "-999", 1999, 50, 1500, 800, kMissing},
        {3, "Baker Al", "NBA", "LAL", "Los Angeles Lakers", "0001", "6-5", 2000, 82, 3100, 2000, 60},
        {4, "Carter Vi", "ABA", "NYN", "New York Nets", "7475", "6-6", 1974, 84, 3200, 1500, 120},
        {5, "carter vi", "NBA", "NJN", "New Jersey Nets", "7677", "6-6", 1976, 80, 2900, 1800, 90},
        {6, "Davis Ed", "NBA", "BOS", "boston celtics", "6263", "6-1", 1962, 70, 2000, 900, kMissing},
        {7, "Evans Ty", "NBA", "LAL", "Los Angeles Lakers", "0001", "7-0", 2000, 10, 100, 0, 0},
        {8, "Young Bo", "BAA", "BOS", "Boston Celtics", "4647", "", 1946, 60, kMissing, 600, kMissing},
        {9, "Zane Mo", "NBA", "LAL", "Los Angeles Lakers", "2324", "6-8", 2023, 82, 3000, 2400, 150},
        {10, "Abbot Cy", "NBA", "NYK", "New York Knicks", "9900", "6-2", 1999, 5, 40, 20, 1},
        {11, "Ng Lu", "NBA", "NYK", "New York Knicks", "2324", "6-0", 2023, 0, 0, 0, 0},
        {12, "Zane Mo", "NBA", "LAL", "Los Angeles Lakers", "2324", "6-8", 2023, 2, 30, 2000, 3},
    };
    return players;
}

const std::vector<FixtureTeam>& fixtureTeams() {
    static const std::vector<FixtureTeam> teams = {
        {1, "BOS", "Boston Celtics", "NBA", "East", "7475", 1974, 82, 60, 22, 3, 9000},
        {2, "LAL", "Los Angeles Lakers", "NBA", "West", "0001", 2000, 82, 56, 26, -1, 8500},
        {3, "NYN", "New York Nets", "ABA", "-1", "7475", 1974, 84, 55, 29, 7, 9200},
        {4, "BOS", "Boston Celtics", "NBA", "East", "9900", 1999, 50, 19, 31, 3, 4500},
    };
    return teams;
}

std::vector<FixtureTable> fixtureTables() {
    FixtureTable playersRegular{"players_regular", true, kPlayerTexts, kPlayerFields, {}};
    FixtureTable playersPlayoffs{"players_playoffs", true, kPlayerTexts, kPlayerFields, {}};
    for (const FixturePlayer& player : fixturePlayers()) {
        playersRegular.rows.push_back(playerRow(player));
        if (player.key <= kPlayoffKeyLimit)
            playersPlayoffs.rows.push_back(playerRow(player));
    }
    FixtureTable teamsRegular{"teams_regular", false, kTeamTexts, kTeamFields, {}};
    FixtureTable teamsPlayoffs{"teams_playoffs", false, kTeamTexts, kTeamFields, {}};
    for (const FixtureTeam& team : fixtureTeams()) {
        teamsRegular.rows.push_back(teamRow(team));
        if (team.key <= kPlayoffKeyLimit)
            teamsPlayoffs.rows.push_back(teamRow(team));
    }
    return {playersRegular, playersPlayoffs, teamsRegular, teamsPlayoffs};
}

void writeFixtureDatabase(const QString& path) {
    writeFixtureDatabase(path, fixtureTables());
}

void writeFixtureDatabase(const QString& path, const std::vector<FixtureTable>& tables) {
    sqlite3* raw = nullptr;
    const int opened =
        sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const std::unique_ptr<sqlite3, CloseDb> db(raw);
    check(raw, opened, "open " + path.toStdString());
    check(raw, sqlite3_exec(raw, "BEGIN", nullptr, nullptr, nullptr), "begin");
    for (const FixtureTable& table : tables)
        writeTable(raw, table);
    check(raw, sqlite3_exec(raw, "COMMIT", nullptr, nullptr, nullptr), "commit");
}

} // namespace statdesk::test
