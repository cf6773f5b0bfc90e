// The recaps of the 2010-11 to 2023-24 playoff games, from the team game logs of the league's own
// statistics site: two lines per game, no player lines.
#include "GameRecaps.h"

#include "CsvTable.h"
#include "DatasetRows.h"
#include "RawFiles.h"
#include "TextFit.h"

#include <cmath>
#include <set>

namespace statdesk::dataset {
namespace {

constexpr double kRegulation = 48;
constexpr double kOvertime = 5;

// The game logs' codes where the season files use others.
const std::map<std::string, std::string> kSeasonFileCode = {{"BKN", "BRK"}, {"PHX", "PHO"}, {"CHA", "CHO"}};

struct LogSide {
    std::string code, name;
    int points = 0;
    std::optional<double> minutes;
    bool home = false;
};

// Periods past regulation from the game's length in minutes; -1 when it is not a whole number of them.
int overtimesOf(std::optional<double> minutes) {
    if (!minutes)
        return -1;
    const double periods = (*minutes - kRegulation) / kOvertime;
    return periods >= 0 && std::abs(periods - std::round(periods)) < 0.01
               ? static_cast<int>(std::round(periods))
               : -1;
}

} // namespace

void GameRecaps::addGameLogs(const std::filesystem::path& raw) {
    const auto logs = CsvTable::read(raw::need(raw, raw::kPlayoffGameLogs));
    const int season = logs.column("SEASON_YEAR"), teamId = logs.column("TEAM_ID"),
              abbreviation = logs.column("TEAM_ABBREVIATION"), teamName = logs.column("TEAM_NAME"),
              gameId = logs.column("GAME_ID"), date = logs.column("GAME_DATE"),
              matchup = logs.column("MATCHUP"), minutes = logs.column("MIN"), points = logs.column("PTS");
    std::set<std::pair<std::string, std::string>> seen;
    std::map<std::string, std::vector<LogSide>> games;
    std::map<std::string, std::pair<int, std::string>> seasonAndDate;
    for (const auto& log : logs.rows()) {
        if (!seen.insert({log[gameId], log[teamId]}).second)
            continue; // the source repeats some games
        const int start = std::stoi(log[season].substr(0, 4));
        const std::string name = log[teamName] == "LA Clippers" ? "Los Angeles Clippers" : log[teamName];
        std::string code = log[abbreviation];
        if (const auto known = m_directory.teamCode(start, name))
            code = *known;
        else if (const auto other = kSeasonFileCode.find(code); other != kSeasonFileCode.end())
            code = other->second;
        games[log[gameId]].push_back({code, toWindows1252(m_directory.teamName(start, code).value_or(name)),
                                      static_cast<int>(sourceNumber(log[points]).value_or(0)),
                                      sourceNumber(log[minutes]),
                                      log[matchup].find(" vs. ") != std::string::npos});
        seasonAndDate[log[gameId]] = {start, log[date].substr(0, 10)};
    }
    for (const auto& [id, sides] : games) {
        if (sides.size() != 2 || sides[0].home == sides[1].home)
            continue;
        const LogSide& home = sides[sides[0].home ? 0 : 1];
        const LogSide& away = sides[sides[0].home ? 1 : 0];
        const auto& [start, isoDate] = seasonAndDate[id];
        const std::string day = isoDate.substr(0, 4) + isoDate.substr(5, 2) + isoDate.substr(8, 2);
        GameRecap recap = recapOf(day + "0" + home.code, "NBA", start);
        recap.playoff = true;
        recap.homeCode = home.code;
        recap.homeName = home.name;
        recap.awayCode = away.code;
        recap.awayName = away.name;
        recap.homePoints = home.points;
        recap.awayPoints = away.points;
        recap.overtimes = overtimesOf(home.minutes);
        m_recaps.push_back(std::move(recap));
    }
}

} // namespace statdesk::dataset
