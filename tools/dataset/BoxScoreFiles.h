#pragma once

#include "CsvTable.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

// The per-game box scores, one file per league and season, read once for every use.
namespace statdesk::dataset {

struct BoxScoreFile {
    std::string league; // "BAA", "NBA" or "ABA"
    int seasonStart;
    const CsvTable& lines; // one line per player and game
};

// Reads the box-score files in name order and hands each, whole, to `visit`.
void forEachBoxScoreFile(const std::filesystem::path& raw,
                         const std::function<void(const BoxScoreFile&)>& visit);

// A box score's minutes ("45:30", or whole minutes in early seasons); nothing when blank.
std::optional<double> minutesPlayed(const std::string& text);

// Playoff game id ("196204180BOS") to its series name ("Finals"), every playoff game of 1947 to 2023.
std::map<std::string, std::string> readPlayoffSeries(const std::filesystem::path& raw);

} // namespace statdesk::dataset
