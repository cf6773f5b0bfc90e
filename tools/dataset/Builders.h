#pragma once

#include "CsvTable.h"
#include "DatasetRows.h"
#include "Directory.h"
#include "PlayoffBoxScores.h"

#include <filesystem>

// One builder per stored dataset; each returns finished rows.
namespace statdesk::dataset {

Dataset buildPlayersRegular(const std::filesystem::path& raw, const Directory& directory);
Dataset buildTeamsRegular(const std::filesystem::path& raw, const Directory& directory);
Dataset buildPlayersPlayoffs(const std::filesystem::path& raw, const Directory& directory,
                             const PlayoffBoxScores& boxScores);
Dataset buildTeamsPlayoffs(const std::filesystem::path& raw, const Directory& directory,
                           const PlayoffBoxScores& boxScores, const Dataset& playersPlayoffs,
                           const Dataset& teamsRegular);

// Player rows of one table of season totals: drops the "TOT" rows of traded players.
std::vector<DatasetRow> playerTotalsRows(const CsvTable& totals, const Directory& directory);

} // namespace statdesk::dataset
