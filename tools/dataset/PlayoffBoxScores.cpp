#include "PlayoffBoxScores.h"

#include "CsvTable.h"
#include "DatasetRows.h"
#include "RawFiles.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace statdesk::dataset {
namespace fs = std::filesystem;
namespace {

const std::array<const char*, kBoxStats> kColumns = {"MP",  "FG",  "FGA", "3P",  "3PA", "FT",  "FTA", "ORB",
                                                     "DRB", "TRB", "AST", "STL", "BLK", "TOV", "PF",  "PTS"};

// "45:30" as minutes.
std::optional<double> playedMinutes(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        return sourceNumber(text);
    const auto minutes = sourceNumber(text.substr(0, colon));
    const auto seconds = sourceNumber(text.substr(colon + 1));
    if (!minutes || !seconds)
        return std::nullopt;
    return *minutes + *seconds / 60;
}

std::set<std::string> playoffGames(const fs::path& raw) {
    const auto games = CsvTable::read(raw::need(raw, raw::kPlayoffGames));
    const int reference = games.column("Game Reference");
    std::set<std::string> ids;
    for (const auto& row : games.rows())
        ids.insert(row[reference]);
    return ids;
}

struct TeamGame {
    std::string team;
    BoxTotals totals;
};

} // namespace

void BoxTotals::add(const BoxTotals& other) {
    for (size_t i = 0; i < sum.size(); ++i) {
        sum[i] += other.sum[i];
        complete[i] = complete[i] && other.complete[i];
    }
    games += other.games;
}

PlayoffBoxScores::PlayoffBoxScores(const fs::path& raw) {
    const auto games = playoffGames(raw);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(raw::need(raw, raw::kBoxScoreFolder))) {
        if (entry.path().extension() == ".csv")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());

    std::map<std::tuple<int, std::string, std::string, std::string>, PlayerPlayoffLine> players;
    std::map<std::tuple<int, std::string, std::string>, TeamPlayoffLine> teams;
    for (const auto& file : files) {
        // "NBA_1949-1950_basic.csv": league and starting year.
        const std::string name = file.filename().string();
        const std::string league = name.substr(0, 3);
        const int start = std::stoi(name.substr(4, 4));
        const auto box = CsvTable::read(file);
        const int game = box.column("Game Reference"), team = box.column("Team"),
                  player = box.column("Player Name"), playerId = box.column("Player Reference"),
                  reason = box.column("Reason");
        std::array<int, kBoxStats> columns{};
        for (size_t i = 0; i < columns.size(); ++i)
            columns[i] = box.column(kColumns[i]);

        std::map<std::string, std::vector<TeamGame>> byGame; // in file order of the teams
        for (const auto& row : box.rows()) {
            if (!row[reason].empty() || !games.contains(row[game]))
                continue;
            BoxTotals line;
            line.games = 1;
            for (size_t i = 0; i < columns.size(); ++i) {
                const auto& text = row[static_cast<size_t>(columns[i])];
                const auto value = i == Minutes ? playedMinutes(text) : sourceNumber(text);
                line.sum[i] = value.value_or(0);
                line.complete[i] = value.has_value();
            }
            auto& p = players[{start, league, row[playerId], row[team]}];
            if (p.playerId.empty())
                p = {start, league, row[playerId], row[player], row[team], {}};
            p.totals.add(line);

            auto& sides = byGame[row[game]];
            auto side = std::find_if(sides.begin(), sides.end(),
                                     [&](const TeamGame& t) { return t.team == row[team]; });
            if (side == sides.end())
                side = sides.insert(sides.end(), TeamGame{row[team], {}});
            line.games = 0;
            side->totals.add(line);
        }
        for (auto& [id, sides] : byGame) {
            if (sides.size() != 2)
                continue;
            for (int s = 0; s < 2; ++s) {
                const auto& us = sides[static_cast<size_t>(s)];
                const auto& them = sides[static_cast<size_t>(1 - s)];
                auto& t = teams[{start, league, us.team}];
                if (t.team.empty())
                    t = {start, league, us.team, 0, 0, 0, 0, {}, {}};
                t.own.add(us.totals);
                t.opponents.add(them.totals);
                ++t.own.games;
                ++t.opponents.games;
                const bool won = us.totals.sum[Pts] > them.totals.sum[Pts];
                (won ? t.wins : t.losses) += 1;
                // A game id ends with the home team's code.
                if (id.ends_with(us.team))
                    (won ? t.homeWins : t.homeLosses) += 1;
            }
        }
    }
    for (auto& [key, line] : players)
        m_players.push_back(std::move(line));
    for (auto& [key, line] : teams)
        m_teams.push_back(std::move(line));
}

} // namespace statdesk::dataset
