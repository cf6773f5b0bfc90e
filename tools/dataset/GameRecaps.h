#pragma once

#include "BoxScoreFiles.h"
#include "Directory.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// One row per game for the news site's "on this day" articles. Names are Windows-1252.
namespace statdesk::dataset {

struct GameRecap {
    std::string gameId; // "198711060ATL": date, "0", home team code
    std::string date;   // "1987-11-06"
    std::string league; // BAA, NBA or ABA
    int seasonStart = 0;
    std::string homeCode, homeName, awayCode, awayName;
    int homePoints = 0, awayPoints = 0;
    int overtimes = -1; // -1 when the minutes played do not tell
    bool playoff = false;
    std::string series; // empty when no source names it
    // Playoffs: this game's number in the series, the series' games, the wins of each side after it.
    int seriesGame = 0, seriesGames = 0, seriesHomeWins = 0, seriesAwayWins = 0;
    // The best scorers of a side, best first: "NAME|PTS|REB|AST;..."; a blank figure was not recorded.
    std::string homeLeaders, awayLeaders;
};

inline constexpr int kLeadersPerTeam = 2;

// Gathers the recaps: the box scores file by file, then the playoff game logs of 2010-11 on.
class GameRecaps {
  public:
    GameRecaps(const Directory& directory, const std::map<std::string, std::string>& playoffSeries);

    void add(const BoxScoreFile& file);
    void addGameLogs(const std::filesystem::path& raw);
    // Every recap in date order, playoff games numbered within their series.
    std::vector<GameRecap> finish();

  private:
    GameRecap recapOf(const std::string& gameId, const std::string& league, int seasonStart) const;

    const Directory& m_directory;
    const std::map<std::string, std::string>& m_playoffSeries;
    std::vector<GameRecap> m_recaps;
};

} // namespace statdesk::dataset
