#pragma once

#include "Directory.h"
#include "TeamSeasons.h"

#include <filesystem>
#include <string>
#include <vector>

namespace statdesk::shipped {

struct Series {
    int seasonStart;
    std::string league;        // "BAA", "NBA", "ABA"
    int roundOrder;            // rounds sort in the order they were played
    std::string round;         // "Conference First Round"
    std::string winner, loser; // team codes; no loser in a round robin
    int wins, losses;          // games won by the winner and by the loser; a round robin: the team's record
    bool final;
};

// Every playoff series: the series results to 2011-12, then series gathered from the team game logs,
// named after the list of playoff games where it names them. Sorted by season, league, round.
std::vector<Series> readPlayoffSeries(const std::filesystem::path& raw, const dataset::Directory& directory,
                                      const TeamSeasons& teams);

} // namespace statdesk::shipped
