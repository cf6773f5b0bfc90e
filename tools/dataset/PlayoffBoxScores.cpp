#include "PlayoffBoxScores.h"

#include "DatasetRows.h"

#include <algorithm>

namespace statdesk::dataset {
namespace {

const std::array<const char*, kBoxStats> kColumns = {"MP",  "FG",  "FGA", "3P",  "3PA", "FT",  "FTA", "ORB",
                                                     "DRB", "TRB", "AST", "STL", "BLK", "TOV", "PF",  "PTS"};

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

PlayoffBoxScores::PlayoffBoxScores(const std::map<std::string, std::string>& playoffSeries)
    : m_playoffSeries(playoffSeries) {}

void PlayoffBoxScores::add(const BoxScoreFile& file) {
    const std::string& league = file.league;
    const int start = file.seasonStart;
    const auto& box = file.lines;
    const int game = box.column("Game Reference"), team = box.column("Team"),
              player = box.column("Player Name"), playerId = box.column("Player Reference"),
              reason = box.column("Reason");
    std::array<int, kBoxStats> columns{};
    for (size_t i = 0; i < columns.size(); ++i)
        columns[i] = box.column(kColumns[i]);

    std::map<std::string, std::vector<TeamGame>> byGame; // in file order of the teams
    for (const auto& row : box.rows()) {
        if (!row[reason].empty() || !m_playoffSeries.contains(row[game]))
            continue;
        BoxTotals line;
        line.games = 1;
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto& text = row[static_cast<size_t>(columns[i])];
            const auto value = i == Minutes ? minutesPlayed(text) : sourceNumber(text);
            line.sum[i] = value.value_or(0);
            line.complete[i] = value.has_value();
        }
        auto& p = m_playerSums[{start, league, row[playerId], row[team]}];
        if (p.playerId.empty())
            p = {start, league, row[playerId], row[player], row[team], {}};
        p.totals.add(line);

        auto& sides = byGame[row[game]];
        auto side =
            std::find_if(sides.begin(), sides.end(), [&](const TeamGame& t) { return t.team == row[team]; });
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
            auto& t = m_teamSums[{start, league, us.team}];
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

void PlayoffBoxScores::finish() {
    for (auto& [key, line] : m_playerSums)
        m_players.push_back(std::move(line));
    for (auto& [key, line] : m_teamSums)
        m_teams.push_back(std::move(line));
    m_playerSums.clear();
    m_teamSums.clear();
}

} // namespace statdesk::dataset
