#pragma once

#include <array>
#include <filesystem>
#include <string>
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

class PlayoffBoxScores {
  public:
    explicit PlayoffBoxScores(const std::filesystem::path& raw);

    const std::vector<PlayerPlayoffLine>& players() const { return m_players; }
    const std::vector<TeamPlayoffLine>& teams() const { return m_teams; }

  private:
    std::vector<PlayerPlayoffLine> m_players;
    std::vector<TeamPlayoffLine> m_teams;
};

} // namespace statdesk::dataset
