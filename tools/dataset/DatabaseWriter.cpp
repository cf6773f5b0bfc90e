#include "DatabaseWriter.h"

#include <sqlite3.h>

#include <cmath>
#include <memory>
#include <stdexcept>

namespace statdesk::dataset {
namespace fs = std::filesystem;
namespace {

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

void check(sqlite3* db, int rc, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

void exec(sqlite3* db, const std::string& sql) {
    check(db, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), sql.c_str());
}

Statement prepare(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* s = nullptr;
    check(db, sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr), sql.c_str());
    return Statement(s);
}

const char* columnType(FieldType type) {
    switch (type) {
    case FieldType::Text:
        return "TEXT";
    case FieldType::Integer:
        return "INTEGER";
    case FieldType::Real:
        return "REAL";
    }
    return "TEXT";
}

void writeDataset(sqlite3* db, const Dataset& dataset) {
    const auto fields = replyFields(dataset.family);
    std::string create =
        "CREATE TABLE " + dataset.table + " (row_key INTEGER PRIMARY KEY, season_start INTEGER NOT NULL";
    std::string insert = "INSERT INTO " + dataset.table + " VALUES (?, ?";
    for (size_t f = 0; f < fields.size(); ++f) {
        create += ", f" + std::to_string(f) + " " + columnType(fields[f].type);
        insert += ", ?";
    }
    exec(db, create + ")");
    const auto statement = prepare(db, insert + ")");
    sqlite3_stmt* s = statement.get();
    long long key = 0;
    for (const auto& r : dataset.rows) {
        sqlite3_bind_int64(s, 1, ++key);
        sqlite3_bind_int64(s, 2, r.seasonStart);
        for (size_t f = 0; f < fields.size(); ++f) {
            const int slot = static_cast<int>(f) + 3;
            if (fields[f].type == FieldType::Text) {
                const auto& text = r.row.text[f];
                sqlite3_bind_text(s, slot, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            } else if (fields[f].type == FieldType::Integer) {
                sqlite3_bind_int64(s, slot, std::llround(r.row.value[f]));
            } else {
                sqlite3_bind_double(s, slot, r.row.value[f]);
            }
        }
        check(db, sqlite3_step(s), "insert");
        sqlite3_reset(s);
    }
}

void bindText(sqlite3_stmt* s, int slot, const std::string& text) {
    sqlite3_bind_text(s, slot, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void writeRecaps(sqlite3* db, const std::vector<GameRecap>& recaps) {
    exec(db,
         "CREATE TABLE game_recaps (game_id TEXT PRIMARY KEY, game_date TEXT NOT NULL, league TEXT NOT NULL, "
         "season_start INTEGER NOT NULL, home_code TEXT NOT NULL, home_name TEXT NOT NULL, "
         "away_code TEXT NOT NULL, away_name TEXT NOT NULL, home_points INTEGER NOT NULL, "
         "away_points INTEGER NOT NULL, overtimes INTEGER NOT NULL, playoff INTEGER NOT NULL, "
         "series TEXT NOT NULL, series_game INTEGER NOT NULL, series_games INTEGER NOT NULL, "
         "series_home_wins INTEGER NOT NULL, series_away_wins INTEGER NOT NULL, home_leaders TEXT NOT NULL, "
         "away_leaders TEXT NOT NULL)");
    const auto statement =
        prepare(db, "INSERT INTO game_recaps VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                    "?, ?, ?, ?, ?)");
    sqlite3_stmt* s = statement.get();
    for (const auto& r : recaps) {
        int slot = 0;
        for (const auto* text : {&r.gameId, &r.date, &r.league})
            bindText(s, ++slot, *text);
        sqlite3_bind_int(s, ++slot, r.seasonStart);
        for (const auto* text : {&r.homeCode, &r.homeName, &r.awayCode, &r.awayName})
            bindText(s, ++slot, *text);
        for (int number : {r.homePoints, r.awayPoints, r.overtimes, r.playoff ? 1 : 0})
            sqlite3_bind_int(s, ++slot, number);
        bindText(s, ++slot, r.series);
        for (int number : {r.seriesGame, r.seriesGames, r.seriesHomeWins, r.seriesAwayWins})
            sqlite3_bind_int(s, ++slot, number);
        bindText(s, ++slot, r.homeLeaders);
        bindText(s, ++slot, r.awayLeaders);
        check(db, sqlite3_step(s), "insert recap");
        sqlite3_reset(s);
    }
}

} // namespace

void writeDatabase(const fs::path& file, const std::vector<const Dataset*>& datasets,
                   const std::map<std::string, std::string>& meta, const std::vector<GameRecap>& recaps) {
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    const fs::path partial = file.string() + ".partial";
    fs::remove(partial);
    {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open(partial.c_str(), &raw);
        Db db(raw);
        check(raw, rc, "open");
        exec(raw, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN");
        for (const auto* dataset : datasets)
            writeDataset(raw, *dataset);
        if (!recaps.empty())
            writeRecaps(raw, recaps);
        exec(raw, "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT)");
        const auto statement = prepare(raw, "INSERT INTO meta VALUES (?, ?)");
        for (const auto& [key, value] : meta) {
            sqlite3_bind_text(statement.get(), 1, key.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(statement.get(), 2, value.c_str(), -1, SQLITE_TRANSIENT);
            check(raw, sqlite3_step(statement.get()), "insert meta");
            sqlite3_reset(statement.get());
        }
        exec(raw, "COMMIT");
    }
    fs::rename(partial, file);
}

std::string readMeta(const fs::path& file, const std::string& key) {
    if (!fs::exists(file))
        return {};
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        return {};
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(raw, "SELECT value FROM meta WHERE key = ?", -1, &s, nullptr) != SQLITE_OK)
        return {};
    Statement statement(s);
    sqlite3_bind_text(s, 1, key.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(s) != SQLITE_ROW)
        return {};
    const auto* text = sqlite3_column_text(s, 0);
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

} // namespace statdesk::dataset
