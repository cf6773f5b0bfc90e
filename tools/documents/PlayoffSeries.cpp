#include "PlayoffSeries.h"

#include "CsvTable.h"
#include "RawFiles.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace statdesk::shipped {
namespace {

constexpr int kFirstGameLogSeries = 2012; // the series results end with the 2011-12 playoffs

const std::map<std::string, std::string> kRoundNames = {
    {"F", "Finals"},
    {"CF", "Conference Finals"},
    {"CSF", "Conference Semifinals"},
    {"CFR", "Conference First Round"},
    {"DF", "Division Finals"},
    {"DSF", "Division Semifinals"},
    {"DT", "Division Tie-Breakers"},
    {"QF", "Quarterfinals"},
    {"SF", "Semifinals"},
    {"FR", "First Round"},
    {"RR", "Round Robin"},
};

void addSeriesResults(std::vector<Series>& all, const std::filesystem::path& raw,
                      const dataset::Directory& directory, const TeamSeasons& teams) {
    const auto table = dataset::CsvTable::read(dataset::raw::need(raw, dataset::raw::kSeries));
    const int year = table.column("year"), round = table.column("round"), series = table.column("series"),
              winner = table.column("tmIDWinner"), league = table.column("lgIDWinner"),
              loser = table.column("tmIDLoser"), w = table.column("W"), l = table.column("L");
    for (const auto& r : table.rows()) {
        const int start = std::stoi(r[year]);
        const auto name = kRoundNames.find(r[round]);
        const std::string code = directory.seriesTeam(start, r[winner]);
        const auto* team = teams.find(start, code);
        // The source names the BAA seasons NBA; the season files know the league.
        const std::string lg = team ? team->league : r[league];
        // The source's series letter runs in the order the rounds were played.
        all.push_back({start, lg, r[series].empty() ? 0 : r[series][0],
                       name == kRoundNames.end() ? r[round] : name->second, code,
                       r[loser].empty() ? std::string() : directory.seriesTeam(start, r[loser]),
                       std::stoi(r[w]), std::stoi(r[l]), r[round] == "F"});
    }
}

struct Game {
    std::string date, home, away, winner;
};

// Game id of the list of playoff games ("201305220MIA") to the name of its series.
std::map<std::string, std::string> seriesNames(const std::filesystem::path& raw) {
    const auto table = dataset::CsvTable::read(dataset::raw::need(raw, dataset::raw::kPlayoffGames));
    const int id = table.column("Game Reference"), series = table.column("Series");
    std::map<std::string, std::string> names;
    for (const auto& r : table.rows())
        names[r[id]] = r[series];
    return names;
}

std::map<std::pair<int, std::string>, Game> gameLogGames(const std::filesystem::path& raw,
                                                         const dataset::Directory& directory) {
    const auto logs = dataset::CsvTable::read(dataset::raw::need(raw, dataset::raw::kPlayoffGameLogs));
    const int season = logs.column("SEASON_YEAR"), teamId = logs.column("TEAM_ID"),
              name = logs.column("TEAM_NAME"), abbreviation = logs.column("TEAM_ABBREVIATION"),
              gameId = logs.column("GAME_ID"), date = logs.column("GAME_DATE"),
              matchup = logs.column("MATCHUP"), result = logs.column("WL");
    std::map<std::pair<int, std::string>, Game> games;
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& r : logs.rows()) {
        const int start = std::stoi(r[season].substr(0, 4));
        if (start < kFirstGameLogSeries || !seen.insert({r[gameId], r[teamId]}).second)
            continue; // the source repeats some games
        const std::string teamName = r[name] == "LA Clippers" ? "Los Angeles Clippers" : r[name];
        const std::string code = directory.teamCode(start, teamName).value_or(r[abbreviation]);
        auto& game = games[{start, r[gameId]}];
        std::string day = r[date].substr(0, 10);
        std::erase(day, '-');
        game.date = day;
        (r[matchup].find(" vs. ") != std::string::npos ? game.home : game.away) = code;
        if (r[result] == "W")
            game.winner = code;
    }
    return games;
}

void addGameLogSeries(std::vector<Series>& all, const std::filesystem::path& raw,
                      const dataset::Directory& directory) {
    struct Gathered {
        std::string firstDate, name;
        std::map<std::string, int> wins;
    };
    const auto names = seriesNames(raw);
    std::map<std::tuple<int, std::string, std::string>, Gathered> gathered; // season, the two codes in order
    for (const auto& [key, game] : gameLogGames(raw, directory)) {
        if (game.home.empty() || game.away.empty() || game.winner.empty())
            continue;
        auto& s = gathered[{key.first, std::min(game.home, game.away), std::max(game.home, game.away)}];
        if (s.firstDate.empty() || game.date < s.firstDate)
            s.firstDate = game.date;
        ++s.wins[game.winner];
        if (const auto named = names.find(game.date + "0" + game.home); named != names.end())
            s.name = named->second;
    }
    // A series belongs to the round after the last one either of its teams played.
    std::map<int, std::vector<std::pair<std::string, decltype(gathered)::const_iterator>>> bySeason;
    for (auto it = gathered.cbegin(); it != gathered.cend(); ++it)
        bySeason[std::get<0>(it->first)].emplace_back(it->second.firstDate, it);
    for (auto& [start, list] : bySeason) {
        std::stable_sort(list.begin(), list.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::map<std::string, int> lastRound;
        std::vector<Series> season;
        for (const auto& [date, it] : list) {
            const auto& [key, s] = *it;
            const std::string& a = std::get<1>(key);
            const std::string& b = std::get<2>(key);
            const int round = 1 + std::max(lastRound[a], lastRound[b]);
            lastRound[a] = lastRound[b] = round;
            const int winsA = s.wins.contains(a) ? s.wins.at(a) : 0;
            const int winsB = s.wins.contains(b) ? s.wins.at(b) : 0;
            const bool aWon = winsA > winsB;
            season.push_back({start, "NBA", round, s.name, aWon ? a : b, aWon ? b : a, std::max(winsA, winsB),
                              std::min(winsA, winsB), false});
        }
        const int lastRoundPlayed =
            std::max_element(season.begin(), season.end(), [](const Series& x, const Series& y) {
                return x.roundOrder < y.roundOrder;
            })->roundOrder;
        for (auto& s : season) {
            s.final = s.roundOrder == lastRoundPlayed;
            if (s.round.empty())
                s.round = s.final ? "Finals" : "Round " + std::to_string(s.roundOrder);
        }
        all.insert(all.end(), season.begin(), season.end());
    }
}

} // namespace

std::vector<Series> readPlayoffSeries(const std::filesystem::path& raw, const dataset::Directory& directory,
                                      const TeamSeasons& teams) {
    std::vector<Series> all;
    addSeriesResults(all, raw, directory, teams);
    addGameLogSeries(all, raw, directory);
    std::stable_sort(all.begin(), all.end(), [](const Series& a, const Series& b) {
        return std::tie(a.seasonStart, a.league, a.roundOrder, a.round) <
               std::tie(b.seasonStart, b.league, b.roundOrder, b.round);
    });
    return all;
}

} // namespace statdesk::shipped
