#include "RecapIndex.h"

#include <sqlite3.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace statdesk::server {
namespace {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

constexpr const char* kSelect =
    "SELECT game_id, game_date, league, season_start, home_code, home_name, away_code, away_name, "
    "home_points, "
    "away_points, overtimes, playoff, series, series_game, series_games, series_home_wins, series_away_wins, "
    "home_leaders, away_leaders FROM game_recaps ORDER BY game_date, game_id";

unsigned monthDayKey(std::chrono::month_day day) {
    return static_cast<unsigned>(day.month()) * 32 + static_cast<unsigned>(day.day());
}

std::string text(sqlite3_stmt* row, int column) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
    return bytes ? std::string(bytes, static_cast<size_t>(sqlite3_column_bytes(row, column))) : std::string();
}

// The same text goes into plain headline lists and HTML pages and must read alike in both, so markup
// characters are left out rather than escaped.
std::string plain(std::string text) {
    std::erase_if(text, [](char c) { return c == '<' || c == '>' || c == '&' || c == '\r' || c == '\n'; });
    return text;
}

std::optional<int> figure(const std::string& text) {
    return text.empty() ? std::nullopt : std::optional(std::atoi(text.c_str()));
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t from = 0;
    while (from <= text.size()) {
        const size_t end = std::min(text.find(separator, from), text.size());
        parts.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return parts;
}

// "NAME|PTS|REB|AST;..." as written by the dataset builder.
std::vector<GameLeader> leaders(const std::string& text) {
    std::vector<GameLeader> result;
    if (text.empty())
        return result;
    for (const auto& entry : split(text, ';')) {
        const auto fields = split(entry, '|');
        if (fields.size() == 4 && !fields[0].empty())
            result.push_back(
                {plain(fields[0]), figure(fields[1]).value_or(0), figure(fields[2]), figure(fields[3])});
    }
    return result;
}

GameRecap recapOf(sqlite3_stmt* row) {
    GameRecap r;
    int c = 0;
    r.gameId = text(row, c++);
    const std::string date = text(row, c++);
    const auto parsed = parseIsoDate(date);
    if (!parsed)
        throw std::runtime_error("game " + r.gameId + " has no date: \"" + date + "\"");
    r.date = *parsed;
    r.league = text(row, c++);
    r.seasonStart = sqlite3_column_int(row, c++);
    for (auto* field : {&r.homeCode, &r.homeName, &r.awayCode, &r.awayName})
        *field = plain(text(row, c++));
    for (int* field : {&r.homePoints, &r.awayPoints, &r.overtimes})
        *field = sqlite3_column_int(row, c++);
    r.playoff = sqlite3_column_int(row, c++) != 0;
    r.series = plain(text(row, c++));
    for (int* field : {&r.seriesGame, &r.seriesGames, &r.seriesHomeWins, &r.seriesAwayWins})
        *field = sqlite3_column_int(row, c++);
    r.homeLeaders = leaders(text(row, c++));
    r.awayLeaders = leaders(text(row, c++));
    return r;
}

bool hasRecapTable(sqlite3* db) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'game_recaps'",
                           -1, &raw, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("cannot read the database: ") + sqlite3_errmsg(db));
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(raw);
    return sqlite3_step(raw) == SQLITE_ROW;
}

} // namespace

int GameRecap::margin() const {
    return std::abs(homePoints - awayPoints);
}

int GameRecap::combinedPoints() const {
    return homePoints + awayPoints;
}

const GameLeader* GameRecap::topScorer() const {
    if (homeLeaders.empty() && awayLeaders.empty())
        return nullptr;
    return topScorerIsHome() ? &homeLeaders.front() : &awayLeaders.front();
}

bool GameRecap::topScorerIsHome() const {
    if (awayLeaders.empty())
        return true;
    return !homeLeaders.empty() && homeLeaders.front().points >= awayLeaders.front().points;
}

RecapIndex RecapIndex::load(const std::string& databasePath) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(databasePath.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    std::unique_ptr<sqlite3, DatabaseCloser> db(raw);
    if (opened != SQLITE_OK)
        throw std::runtime_error("cannot open " + databasePath + ": " + sqlite3_errmsg(raw));
    RecapIndex index;
    if (!hasRecapTable(raw))
        return index;
    sqlite3_stmt* rawStatement = nullptr;
    if (sqlite3_prepare_v2(raw, kSelect, -1, &rawStatement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string("cannot read table game_recaps: ") + sqlite3_errmsg(raw));
    std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement(rawStatement);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(rawStatement)) == SQLITE_ROW)
        index.m_recaps.push_back(recapOf(rawStatement));
    if (step != SQLITE_DONE)
        throw std::runtime_error(std::string("cannot read table game_recaps: ") + sqlite3_errmsg(raw));
    index.buildIndex();
    return index;
}

void RecapIndex::buildIndex() {
    for (const GameRecap& recap : m_recaps) {
        m_byId.emplace(recap.gameId, &recap);
        m_byMonthDay[monthDayKey(recap.date.month() / recap.date.day())].push_back(&recap);
    }
}

const std::vector<const GameRecap*>& RecapIndex::gamesOn(std::chrono::month_day day) const {
    static const std::vector<const GameRecap*> kNone;
    const auto it = m_byMonthDay.find(monthDayKey(day));
    return it == m_byMonthDay.end() ? kNone : it->second;
}

const GameRecap* RecapIndex::find(const std::string& gameId) const {
    const auto it = m_byId.find(gameId);
    return it == m_byId.end() ? nullptr : it->second;
}

} // namespace statdesk::server
