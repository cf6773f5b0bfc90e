#pragma once

#include "DatasetRows.h"
#include "GameRecaps.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace statdesk::dataset {

// Writes the datasets, the game recaps and the meta entries into a fresh SQLite file that replaces
// `file` only when complete.
void writeDatabase(const std::filesystem::path& file, const std::vector<const Dataset*>& datasets,
                   const std::map<std::string, std::string>& meta, const std::vector<GameRecap>& recaps = {});

// The meta value stored under `key`, or empty when the file or the entry is absent.
std::string readMeta(const std::filesystem::path& file, const std::string& key);

} // namespace statdesk::dataset
