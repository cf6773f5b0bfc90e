#pragma once

#include <string>

// Raw files the reference documents read beyond those of the database builder (RawFiles.h).
namespace statdesk::shipped::raw {

inline const std::string kEndOfSeasonTeams = "bball-reference-datasets/End of Season Teams.csv";
inline const std::string kAwardShares = "bball-reference-datasets/Player Award Shares.csv";
inline const std::string kAllStars = "bball-reference-datasets/All-Star Selections.csv";
inline const std::string kCoaches = "caged-nba-coaches/coaches.csv";
inline const std::string kDumpCoaches = "databasebasketball-1.1/coaches_season.txt";

} // namespace statdesk::shipped::raw
