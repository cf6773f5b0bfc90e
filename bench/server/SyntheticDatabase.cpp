#include "SyntheticDatabase.h"

#include "DerivedValues.h"

#include <random>
#include <sqlite3.h>
#include <stdexcept>

using namespace statdesk;

namespace {

void run(sqlite3* db, const std::string& sql) {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

void fill(sqlite3* db, const std::string& table, Family family, int rows, std::mt19937& random) {
    const auto fields = replyFields(family);
    std::string create =
        "CREATE TABLE " + table + " (row_key INTEGER PRIMARY KEY, season_start INTEGER NOT NULL";
    std::string insert = "INSERT INTO " + table + " VALUES (?, ?";
    for (size_t i = 0; i < fields.size(); ++i) {
        create += ", f" + std::to_string(i) +
                  (fields[i].type == FieldType::Text      ? " TEXT"
                   : fields[i].type == FieldType::Integer ? " INTEGER"
                                                          : " REAL");
        insert += ", ?";
    }
    run(db, create + ")");
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    std::uniform_int_distribution<int> season(1946, 2023), count(0, 2000), name(0, 4999), missing(0, 9);
    for (int key = 1; key <= rows; ++key) {
        stats::StatRow row = stats::makeEmptyRow(family);
        const int start = season(random);
        row.text[0] = "Player " + std::to_string(name(random));
        row.text[1] = family == Family::Players ? "NBA" : "Team " + std::to_string(name(random) % 60);
        row.text[2] = family == Family::Players ? "BOS" : "NBA";
        row.text[3] = family == Family::Players ? "Team " + std::to_string(name(random) % 60) : "East";
        row.text[4] = std::to_string(start % 100 / 10) + std::to_string(start % 10) +
                      std::to_string((start + 1) % 100 / 10) + std::to_string((start + 1) % 10);
        for (int field = 0; field < fieldCount(family); ++field) {
            if (stats::isCountingField(family, field) && missing(random) != 0)
                row.value[static_cast<size_t>(field)] = count(random);
        }
        stats::computeDerived(row);
        sqlite3_reset(statement);
        sqlite3_bind_int(statement, 1, key);
        sqlite3_bind_int(statement, 2, start);
        for (size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].type == FieldType::Text)
                sqlite3_bind_text(statement, static_cast<int>(i) + 3, row.text[i].c_str(), -1,
                                  SQLITE_TRANSIENT);
            else
                sqlite3_bind_double(statement, static_cast<int>(i) + 3, row.value[i]);
        }
        if (sqlite3_step(statement) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
    }
    sqlite3_finalize(statement);
}

} // namespace

void writeSyntheticDatabase(const std::string& path, int playerRows, int teamRows) {
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path);
    std::mt19937 random(7);
    run(db, "BEGIN");
    fill(db, "players_regular", Family::Players, playerRows, random);
    fill(db, "players_playoffs", Family::Players, playerRows / 4, random);
    fill(db, "teams_regular", Family::Teams, teamRows, random);
    fill(db, "teams_playoffs", Family::Teams, teamRows / 4, random);
    run(db, "COMMIT");
    sqlite3_close(db);
}
