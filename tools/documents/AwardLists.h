#pragma once

#include "Honours.h"
#include "PlayerTeams.h"

#include <filesystem>
#include <vector>

namespace statdesk::shipped {

// allpro.awd, alldef.awd, allrooky.awd, allstar.awd and the single-award lists (mvp.awd, rkofyr.awd,
// defplyr.awd, sixth.awd), written into out.
void writeAwardLists(const std::filesystem::path& raw, const std::filesystem::path& out,
                     const PlayerTeams& teams, const std::vector<AwardWinner>& winners);

} // namespace statdesk::shipped
