#pragma once

#include "TeamSeasons.h"

#include <filesystem>

namespace statdesk::shipped {

// teams.awd: every team name with its three-letter code, league and seasons.
void writeTeamCodes(const TeamSeasons& teams, const std::filesystem::path& out);

} // namespace statdesk::shipped
