#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Player honours as the season files list them: end-of-season teams, award winners, All-Star selections.
namespace statdesk::shipped {

struct TeamSelection {
    int seasonStart;
    std::string league, type, number, player, playerId, position; // type "All-NBA", number "1st"
};

struct AwardWinner {
    int seasonStart;
    std::string league, award, player, playerId, share; // award "nba mvp"; share "" when no vote is listed
};

struct AllStarSelection {
    int seasonStart;
    std::string league, side, player, playerId;
    bool replaced; // selected, but replaced on the roster
};

// Each list sorted by season, then league, then as the source lists them.
std::vector<TeamSelection> readEndOfSeasonTeams(const std::filesystem::path& raw);
std::vector<AwardWinner> readAwardWinners(const std::filesystem::path& raw);
std::vector<AllStarSelection> readAllStars(const std::filesystem::path& raw);

// Leagues in the order the documents show them.
int leagueOrder(const std::string& league);

} // namespace statdesk::shipped
