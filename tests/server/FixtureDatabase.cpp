#include "FixtureDatabase.h"

#include "DerivedValues.h"

#include <sqlite3.h>
#include <stdexcept>

namespace statdesk::test {
namespace {

constexpr int kPlayerGames = 6, kPlayerMinutes = 7, kPlayerSteals = 25, kPlayerPoints = 45;
constexpr int kTeamGames = 5, kTeamWins = 6, kTeamLosses = 7, kTeamOffDq = 59, kTeamOffPoints = 57;

void check(int code, sqlite3* db) {
    if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

const char* columnType(FieldType type) {
    return type == FieldType::Text ? "TEXT" : type == FieldType::Integer ? "INTEGER" : "REAL";
}

void createTable(sqlite3* db, const std::string& name, Family family) {
    std::string sql = "CREATE TABLE " + name + " (row_key INTEGER PRIMARY KEY, season_start INTEGER NOT NULL";
    const auto fields = replyFields(family);
    for (size_t i = 0; i < fields.size(); ++i)
        sql += ", f" + std::to_string(i) + " " + columnType(fields[i].type);
    sql += ")";
    check(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), db);
}

void insert(sqlite3* db, const std::string& table, long long key, int season, const stats::StatRow& row) {
    std::string sql = "INSERT INTO " + table + " VALUES (?, ?";
    for (size_t i = 0; i < row.value.size(); ++i)
        sql += ", ?";
    sql += ")";
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr), db);
    sqlite3_bind_int64(statement, 1, key);
    sqlite3_bind_int(statement, 2, season);
    const auto fields = replyFields(row.family);
    for (size_t i = 0; i < fields.size(); ++i) {
        const int index = static_cast<int>(i) + 3;
        if (fields[i].type == FieldType::Text)
            sqlite3_bind_text(statement, index, row.text[i].c_str(), -1, SQLITE_TRANSIENT);
        else if (fields[i].type == FieldType::Integer)
            sqlite3_bind_int64(statement, index, static_cast<long long>(row.value[i]));
        else
            sqlite3_bind_double(statement, index, row.value[i]);
    }
    const int stepped = sqlite3_step(statement);
    sqlite3_finalize(statement);
    check(stepped, db);
}

stats::StatRow playerRow(const FixturePlayer& player) {
    stats::StatRow row = stats::makeEmptyRow(Family::Players);
    row.text[0] = player.name;
    row.text[1] = player.league;
    row.text[2] = player.teamCode;
    row.text[3] = player.teamName;
    row.text[4] = player.year;
    row.text[5] = player.height;
    for (int field = 0; field < kPlayerFieldCount; ++field) {
        if (stats::isCountingField(Family::Players, field))
            row.value[static_cast<size_t>(field)] = 1;
    }
    row.value[kPlayerGames] = player.games;
    row.value[kPlayerMinutes] = player.minutes;
    row.value[kPlayerPoints] = player.points;
    row.value[kPlayerSteals] = player.steals;
    stats::computeDerived(row);
    return row;
}

stats::StatRow teamRow(const FixtureTeam& team) {
    stats::StatRow row = stats::makeEmptyRow(Family::Teams);
    row.text[0] = team.code;
    row.text[1] = team.name;
    row.text[2] = team.league;
    row.text[3] = team.division;
    row.text[4] = team.year;
    for (int field = 0; field < kTeamFieldCount; ++field) {
        if (stats::isCountingField(Family::Teams, field))
            row.value[static_cast<size_t>(field)] = 10;
    }
    row.value[kTeamGames] = team.games;
    row.value[kTeamWins] = team.wins;
    row.value[kTeamLosses] = team.losses;
    row.value[kTeamOffDq] = team.offDq;
    row.value[kTeamOffPoints] = team.offPoints;
    stats::computeDerived(row);
    return row;
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

void writeFixtureDatabase(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toLocal8Bit().constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + path.toStdString());
    }
    try {
        check(sqlite3_exec(db, "BEGIN; CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT);", nullptr,
                           nullptr, nullptr),
              db);
        for (const char* name : {"players_regular", "players_playoffs"}) {
            createTable(db, name, Family::Players);
            for (const FixturePlayer& player : fixturePlayers()) {
                if (std::string(name) == "players_regular" || player.key <= kPlayoffKeyLimit)
                    insert(db, name, player.key, player.seasonStart, playerRow(player));
            }
        }
        for (const char* name : {"teams_regular", "teams_playoffs"}) {
            createTable(db, name, Family::Teams);
            for (const FixtureTeam& team : fixtureTeams()) {
                if (std::string(name) == "teams_regular" || team.key <= kPlayoffKeyLimit)
                    insert(db, name, team.key, team.seasonStart, teamRow(team));
            }
        }
        check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), db);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    sqlite3_close(db);
}

} // namespace statdesk::test
