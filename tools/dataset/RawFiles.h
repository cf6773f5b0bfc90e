#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The raw files the builder reads, relative to the raw data folder.
namespace statdesk::dataset::raw {

inline const std::string kPlayerTotals = "contract-prediction-2020/Player Totals.csv";
inline const std::string kTeamTotals = "bball-reference-datasets/Team Totals.csv";
inline const std::string kOpponentTotals = "bball-reference-datasets/Opponent Totals.csv";
inline const std::string kTeamSummaries = "bball-reference-datasets/Team Summaries.csv";
inline const std::string kCareerInfo = "bball-reference-datasets/Player Career Info.csv";
inline const std::string kSeasonInfo = "bball-reference-datasets/Player Season Info.csv";
inline const std::string kPlayoffPlayers = "databasebasketball-1.1/player_playoffs.txt";
inline const std::string kDumpTeams = "databasebasketball-1.1/teams.txt";
inline const std::string kOssTeams = "opensourcesports-basketball/basketball_teams.csv";
inline const std::string kOssTeamsLate = "opensourcesports-basketball/TodXu-R-Project/basketball_teams.csv";
inline const std::string kSeries = "opensourcesports-basketball/basketball_series_post.csv";
inline const std::string kPlayoffGames = "gonzalo-gigena-nba-datasets/playoffs.csv";
inline const std::string kBoxScoreFolder = "gonzalo-gigena-nba-datasets/boxscores_by_year";
inline const std::string kStandingsFolder = "neelshah400-bbref-standings";
inline const std::string kPlayoffGameLogs = "nocturnebear-nba-2010-2024/play_off_totals_2010_2024.csv";

// Every input file, sorted; throws naming the first one missing.
std::vector<std::filesystem::path> inputFiles(const std::filesystem::path& rawDir);

// The full path of a needed file; throws when it is missing.
std::filesystem::path need(const std::filesystem::path& rawDir, const std::string& relative);

} // namespace statdesk::dataset::raw
