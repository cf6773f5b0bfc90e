#pragma once

#include "Directory.h"
#include "Honours.h"
#include "Leaders.h"
#include "PlayerTeams.h"
#include "PlayoffSeries.h"
#include "TeamSeasons.h"

#include <filesystem>
#include <string>
#include <vector>

namespace statdesk::shipped {

struct SeasonSources {
    const TeamSeasons& teams;
    const dataset::Directory& directory;
    const Leaders& leaders;
    const std::vector<Series>& series;
    const std::vector<AwardWinner>& awards;
    const PlayerTeams& playerTeams;
};

// One "*.SUM" file per finished season ("8990.SUM"); returns the names written.
std::vector<std::string> writeSeasonSummaries(const SeasonSources& sources, const std::filesystem::path& out);

} // namespace statdesk::shipped
