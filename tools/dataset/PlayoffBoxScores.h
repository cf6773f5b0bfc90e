#pragma once

#include "BoxScoreFiles.h"

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

// Playoff totals summed from the per-game box scores (every playoff game of 1946-47 to 1995-96).
namespace statdesk::dataset {

enum BoxStat {
    Minutes,
    Fgm,
    Fga,
    Tpm,
    Tpa,
    Ftm,
    Fta,
    Oreb,
    Dreb,
    Treb,
    Ast,
    Stl,
    Blk,
    Tov,
    Pf,
    Pts,
    kBoxStats
};

// Sums of box-score lines; a statistic counts only when every line had it.
struct BoxTotals {
    std::array<double, kBoxStats> sum{};
    std::array<bool, kBoxStats> complete{};
    int games = 0;

    BoxTotals() { complete.fill(true); }
    void add(const BoxTotals& other);
};

struct PlayerPlayoffLine {
    int seasonStart;
    std::string league, playerId, name, team;
    BoxTotals totals;
};

struct TeamPlayoffLine {
    int seasonStart;
    std::string league, team;
    int wins = 0, losses = 0, homeWins = 0, homeLosses = 0;
    BoxTotals own, opponents;
};

// Fed one box-score file at a time (the same walk feeds the game recaps); finish() makes the lines.
class PlayoffBoxScores {
  public:
    explicit PlayoffBoxScores(const std::map<std::string, std::string>& playoffSeries);

    void add(const BoxScoreFile& file);
    void finish();

    const std::vector<PlayerPlayoffLine>& players() const { return m_players; }
    const std::vector<TeamPlayoffLine>& teams() const { return m_teams; }

  private:
    const std::map<std::string, std::string>& m_playoffSeries;
    std::map<std::tuple<int, std::string, std::string, std::string>, PlayerPlayoffLine> m_playerSums;
    std::map<std::tuple<int, std::string, std::string>, TeamPlayoffLine> m_teamSums;
    std::vector<PlayerPlayoffLine> m_players;
    std::vector<TeamPlayoffLine> m_teams;
};

} // namespace statdesk::dataset
