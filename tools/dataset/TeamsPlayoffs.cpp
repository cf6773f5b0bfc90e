#include "Builders.h"

#include "CsvTable.h"
#include "RawFiles.h"
#include "Seasons.h"
#include "TextFit.h"

#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace statdesk::dataset {
namespace {

constexpr int kLastBoxScoreSeason = 1995;      // box scores hold every playoff game to 1995-96
constexpr int kFirstGameLogSeason = 2010;      // team game logs from 2010-11
constexpr int kFirstPlayerTotalsSeason = 1949; // player playoff totals of the old dump: 1949-50
constexpr int kLastPlayerTotalsSeason = 2004;  // to 2004-05
constexpr int kMinutesPerPlayerMinute = 5;     // a team plays five players' minutes per game minute

// Reply field of each box-score statistic in a team row; the opponents' field is 19 later.
constexpr std::array<int, kBoxStats> kTeamField = {15, 16, 17, 21, 22, 24, 25, 27,
                                                   28, 29, 30, 32, 34, 33, 31, 57};
constexpr int kOpponentOffset = 19;
constexpr int kOpponentPoints = 58;

using TeamKey = std::pair<int, std::string>; // season, code

struct TeamLook {
    std::string name, league, division;
};

std::map<TeamKey, TeamLook> regularTeams(const Dataset& teamsRegular) {
    std::map<TeamKey, TeamLook> teams;
    for (const auto& r : teamsRegular.rows)
        teams[{r.seasonStart, r.row.text[0]}] = {r.row.text[1], r.row.text[2], r.row.text[3]};
    return teams;
}

class TeamRows {
  public:
    TeamRows(const Directory& directory, const Dataset& teamsRegular)
        : m_directory(directory), m_regular(regularTeams(teamsRegular)) {}

    stats::StatRow& row(int start, const std::string& code, const std::string& league) {
        auto [it, fresh] = m_rows.try_emplace({start, code}, stats::makeEmptyRow(Family::Teams));
        if (fresh) {
            auto& row = it->second;
            const auto known = m_regular.find({start, code});
            row.text[0] = code;
            row.text[1] = known != m_regular.end()
                              ? known->second.name
                              : fitText(toWindows1252(m_directory.teamName(start, code).value_or(code)), 30);
            row.text[2] = known != m_regular.end() ? known->second.league : league;
            row.text[3] = known != m_regular.end() ? known->second.division : "-1";
            row.text[4] = seasonText(start);
        }
        return it->second;
    }

    stats::StatRow* find(int start, const std::string& code) {
        const auto it = m_rows.find({start, code});
        return it == m_rows.end() ? nullptr : &it->second;
    }

    std::vector<DatasetRow> take() {
        std::vector<DatasetRow> rows;
        for (auto& [key, row] : m_rows)
            rows.push_back({key.first, std::move(row)});
        return rows;
    }

  private:
    const Directory& m_directory;
    std::map<TeamKey, TeamLook> m_regular;
    std::map<TeamKey, stats::StatRow> m_rows;
};

void setBox(stats::StatRow& row, const BoxTotals& totals, int offset) {
    for (size_t i = 0; i < kTeamField.size(); ++i) {
        if (!totals.complete[i])
            continue;
        if (offset > 0 && i == Minutes)
            continue;
        const int field = offset > 0 && i == Pts ? kOpponentPoints : kTeamField[i] + offset;
        row.value[static_cast<size_t>(field)] = std::round(totals.sum[i]);
    }
}

void setRecord(stats::StatRow& row, int wins, int losses) {
    row.value[5] = wins + losses;
    row.value[6] = wins;
    row.value[7] = losses;
}

// A team's playoff record with its home and away split and its own and opponents' totals.
void storeTeamLine(stats::StatRow& row, const TeamPlayoffLine& line) {
    setRecord(row, line.wins, line.losses);
    row.value[9] = line.homeWins;
    row.value[10] = line.homeLosses;
    row.value[11] = line.wins - line.homeWins;
    row.value[12] = line.losses - line.homeLosses;
    setBox(row, line.own, 0);
    setBox(row, line.opponents, kOpponentOffset);
}

void addBoxScores(TeamRows& rows, const PlayoffBoxScores& boxScores) {
    for (const auto& line : boxScores.teams()) {
        auto& row = rows.row(line.seasonStart, line.team, line.league);
        storeTeamLine(row, line);
    }
}

// Series results give wins and losses where no game-level source does.
void addSeries(TeamRows& rows, const std::filesystem::path& raw, const Directory& directory) {
    const auto series = CsvTable::read(raw::need(raw, raw::kSeries));
    const int year = series.column("year"), winner = series.column("tmIDWinner"),
              loser = series.column("tmIDLoser"), winnerLeague = series.column("lgIDWinner"),
              wins = series.column("W"), losses = series.column("L");
    std::map<TeamKey, std::pair<int, int>> records;
    std::map<TeamKey, std::string> leagues;
    for (const auto& s : series.rows()) {
        const int start = std::stoi(s[year]);
        if (start <= kLastBoxScoreSeason || start >= kFirstGameLogSeason || s[loser].empty())
            continue;
        const int w = std::stoi(s[wins]), l = std::stoi(s[losses]);
        const auto a = directory.seriesTeam(start, s[winner]), b = directory.seriesTeam(start, s[loser]);
        records[{start, a}].first += w;
        records[{start, a}].second += l;
        records[{start, b}].first += l;
        records[{start, b}].second += w;
        leagues[{start, a}] = leagues[{start, b}] = s[winnerLeague];
    }
    for (const auto& [key, record] : records)
        setRecord(rows.row(key.first, key.second, leagues[key]), record.first, record.second);
}

// Team totals summed over the team's players, where no game-level source has them: whole seasons after the
// box scores, and the statistics that early box scores leave blank for some players.
void addPlayerSums(TeamRows& rows, const Dataset& playersPlayoffs) {
    constexpr std::array<std::pair<int, int>, 16> kFields = {{{7, 15},
                                                              {8, 16},
                                                              {9, 17},
                                                              {13, 21},
                                                              {14, 22},
                                                              {16, 24},
                                                              {17, 25},
                                                              {19, 27},
                                                              {20, 28},
                                                              {21, 29},
                                                              {22, 30},
                                                              {23, 31},
                                                              {25, 32},
                                                              {26, 33},
                                                              {27, 34},
                                                              {45, 57}}};
    std::map<TeamKey, std::vector<const stats::StatRow*>> players;
    for (const auto& r : playersPlayoffs.rows) {
        if (r.seasonStart >= kFirstPlayerTotalsSeason && r.seasonStart <= kLastPlayerTotalsSeason)
            players[{r.seasonStart, r.row.text[2]}].push_back(&r.row);
    }
    for (const auto& [key, members] : players) {
        auto* known = rows.find(key.first, key.second);
        if (!known && key.first <= kLastBoxScoreSeason)
            continue; // every team of those seasons is known from its games
        auto& row = known ? *known : rows.row(key.first, key.second, members.front()->text[1]);
        for (const auto& [playerField, teamField] : kFields) {
            if (row.value[static_cast<size_t>(teamField)] >= 0)
                continue;
            double sum = 0;
            bool complete = true;
            for (const auto* p : members) {
                const double v = p->value[static_cast<size_t>(playerField)];
                complete = complete && v != kPlayerMissing;
                sum += v;
            }
            if (complete)
                row.value[static_cast<size_t>(teamField)] = sum;
        }
    }
}

// Team game logs: one line per team and game, paired by game into own and opponents' figures.
void addGameLogs(TeamRows& rows, const std::filesystem::path& raw, const Directory& directory) {
    const auto logs = CsvTable::read(raw::need(raw, raw::kPlayoffGameLogs));
    const std::array<const char*, kBoxStats> columns = {"MIN", "FGM",  "FGA",  "FG3M", "FG3A", "FTM",
                                                        "FTA", "OREB", "DREB", "REB",  "AST",  "STL",
                                                        "BLK", "TOV",  "PF",   "PTS"};
    const int season = logs.column("SEASON_YEAR"), teamId = logs.column("TEAM_ID"),
              name = logs.column("TEAM_NAME"), abbreviation = logs.column("TEAM_ABBREVIATION"),
              gameId = logs.column("GAME_ID"), matchup = logs.column("MATCHUP"), result = logs.column("WL");
    struct Side {
        TeamKey team;
        BoxTotals totals;
        bool won, home;
    };
    std::map<std::string, std::vector<Side>> games;
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& log : logs.rows()) {
        if (!seen.insert({log[gameId], log[teamId]}).second)
            continue; // the source repeats some games
        const int start = std::stoi(log[season].substr(0, 4));
        std::string teamName = log[name] == "LA Clippers" ? "Los Angeles Clippers" : log[name];
        Side side{{start, directory.teamCode(start, teamName).value_or(log[abbreviation])},
                  {},
                  log[result] == "W",
                  log[matchup].find(" vs. ") != std::string::npos};
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto v = sourceNumber(log[static_cast<size_t>(logs.column(columns[i]))]);
            side.totals.sum[i] = v.value_or(0) * (i == Minutes ? kMinutesPerPlayerMinute : 1);
            side.totals.complete[i] = v.has_value();
        }
        games[log[gameId]].push_back(side);
    }
    std::map<TeamKey, TeamPlayoffLine> lines;
    for (const auto& [id, sides] : games) {
        if (sides.size() != 2)
            continue;
        for (int s = 0; s < 2; ++s) {
            const auto& us = sides[static_cast<size_t>(s)];
            auto& line = lines[us.team];
            line.own.add(us.totals);
            line.opponents.add(sides[static_cast<size_t>(1 - s)].totals);
            (us.won ? line.wins : line.losses) += 1;
            if (us.home)
                (us.won ? line.homeWins : line.homeLosses) += 1;
        }
    }
    for (const auto& [key, line] : lines) {
        auto& row = rows.row(key.first, key.second, "NBA");
        storeTeamLine(row, line);
    }
}

} // namespace

Dataset buildTeamsPlayoffs(const std::filesystem::path& raw, const Directory& directory,
                           const PlayoffBoxScores& boxScores, const Dataset& playersPlayoffs,
                           const Dataset& teamsRegular) {
    TeamRows rows(directory, teamsRegular);
    addBoxScores(rows, boxScores);
    addSeries(rows, raw, directory);
    addPlayerSums(rows, playersPlayoffs);
    addGameLogs(rows, raw, directory);
    Dataset dataset{"teams_playoffs", Family::Teams, rows.take()};
    finishDataset(dataset);
    return dataset;
}

} // namespace statdesk::dataset
