#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace statdesk::shipped {

// The team a player played for in a season: its code, or "2TM", "3TM" ... for a traded player.
class PlayerTeams {
  public:
    explicit PlayerTeams(const std::filesystem::path& raw);

    // By the player's id; by his name where a source lists no id and the name is unique in the season.
    std::string teamOf(int seasonStart, const std::string& playerId, const std::string& name) const;

  private:
    std::map<std::pair<int, std::string>, std::string> m_team;
    std::map<std::pair<int, std::string>, std::string> m_idOfName; // "" when two players share the name
};

} // namespace statdesk::shipped
