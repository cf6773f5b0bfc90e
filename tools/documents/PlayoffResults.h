#pragma once

#include "PlayoffSeries.h"
#include "TeamSeasons.h"

#include <filesystem>
#include <string>
#include <vector>

namespace statdesk::shipped {

// One coded "*.PL1" file per league and season with playoffs ("9091NBA.PL1"); returns the names written.
std::vector<std::string> writePlayoffResults(const std::vector<Series>& series, const TeamSeasons& teams,
                                             const std::filesystem::path& out);

} // namespace statdesk::shipped
