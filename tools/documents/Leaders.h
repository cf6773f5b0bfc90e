#pragma once

#include "DocumentFile.h"
#include "TeamSeasons.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace statdesk::shipped {

// The per-game leaders in points, rebounds and assists of each league and season of the player totals.
class Leaders {
  public:
    Leaders(const std::filesystem::path& raw, const TeamSeasons& teams);

    // The leaders of one league in one season, with the qualifying rule, into doc.
    void add(DocumentFile& doc, int seasonStart, const std::string& league) const;

  private:
    struct Line {
        std::string name, team;
        int games;
        double points, rebounds, assists;
    };
    std::map<std::pair<int, std::string>, std::vector<Line>> m_lines; // season, league
    std::map<std::pair<int, std::string>, int> m_scheduleGames;
    int m_lastSeason = 0;
};

} // namespace statdesk::shipped
