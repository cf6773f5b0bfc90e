#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace statdesk::shipped {

struct TeamSeason {
    int seasonStart;
    std::string code, name, league;
    bool hasRecord; // false where the source gives no won-lost record
    int wins, losses;
    bool playoffs; // reached the playoffs
};

// Every team of every season from the season summaries, "League Average" rows left out.
class TeamSeasons {
  public:
    explicit TeamSeasons(const std::filesystem::path& raw);

    const std::vector<TeamSeason>& all() const { return m_all; }
    const TeamSeason* find(int seasonStart, const std::string& code) const;
    // The team's name, or its code when the season files do not know it.
    std::string nameOf(int seasonStart, const std::string& code) const;

  private:
    std::vector<TeamSeason> m_all;
    std::map<std::pair<int, std::string>, size_t> m_index;
};

} // namespace statdesk::shipped
