#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

// Who is who across the sources: team codes and names per season, team standings details, player heights.
namespace statdesk::dataset {

struct TeamSeasonInfo {
    std::string division;
    std::optional<int> homeWins, homeLosses, awayWins, awayLosses, neutralWins, neutralLosses;
};

class Directory {
  public:
    Directory() = default; // knows no team or player
    explicit Directory(const std::filesystem::path& raw);

    // Full team name of a code (three letters, season naming of the season info files) in a season.
    std::optional<std::string> teamName(int seasonStart, const std::string& code) const;
    // The code of a team known by its full name in a season.
    std::optional<std::string> teamCode(int seasonStart, const std::string& name) const;
    // Code and name for the old dump's own team codes.
    std::pair<std::string, std::string> dumpTeam(int seasonStart, const std::string& dumpCode) const;
    // Code for the team ids of the series results.
    std::string seriesTeam(int seasonStart, const std::string& tmId) const;
    // Division and home, away and neutral records; divisions carry forward past the last listed season.
    TeamSeasonInfo teamSeason(int seasonStart, const std::string& code) const;

    // Height as "6-9", or nothing, for a player known by id, or by season, name and team.
    std::optional<std::string> heightOfId(const std::string& playerId) const;
    std::optional<std::string> heightOf(int seasonStart, const std::string& name,
                                        const std::string& team) const;

  private:
    void readTeams(const std::filesystem::path& raw);
    void readSeriesTeams(const std::filesystem::path& file, bool keepHomeAway);
    void readStandings(const std::filesystem::path& raw);
    void readPlayers(const std::filesystem::path& raw);

    std::map<std::pair<int, std::string>, std::string> m_nameOfCode;
    std::map<std::pair<int, std::string>, std::string> m_codeOfName;
    std::map<std::string, std::string> m_dumpNames, m_dumpLocations, m_dumpNicknames;
    std::map<int, std::vector<std::pair<std::string, std::string>>> m_teamsOfSeason; // code, name
    std::map<std::pair<int, std::string>, std::string> m_codeOfTmId;
    std::map<std::pair<int, std::string>, TeamSeasonInfo> m_teamSeasons;
    std::map<std::string, int> m_inchesOfId;
    std::map<std::tuple<int, std::string, std::string>, std::string> m_idOfSeasonNameTeam;
    std::map<std::pair<int, std::string>, std::string> m_idOfSeasonName;
};

} // namespace statdesk::dataset
