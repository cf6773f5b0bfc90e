#include "Honours.h"

#include "CsvTable.h"
#include "RawFiles.h"
#include "Seasons.h"
#include "SourceFiles.h"

#include <algorithm>
#include <cctype>
#include <tuple>

namespace statdesk::shipped {
namespace {

int startOf(const std::string& endYear) {
    return dataset::startFromEndYear(std::stoi(endYear));
}

std::string unlessNa(const std::string& text) {
    return text == "NA" ? std::string() : text;
}

template <typename T> void sortBySeasonAndLeague(std::vector<T>& rows, auto leagueOf) {
    std::stable_sort(rows.begin(), rows.end(), [&](const T& a, const T& b) {
        if (a.seasonStart != b.seasonStart)
            return a.seasonStart < b.seasonStart;
        return leagueOrder(leagueOf(a)) < leagueOrder(leagueOf(b));
    });
}

} // namespace

int leagueOrder(const std::string& league) {
    if (league == "BAA" || league == "NBA")
        return 0;
    return league == "ABA" ? 1 : 2;
}

std::vector<TeamSelection> readEndOfSeasonTeams(const std::filesystem::path& raw) {
    const auto table = dataset::CsvTable::read(dataset::raw::need(raw, raw::kEndOfSeasonTeams));
    const int season = table.column("season"), league = table.column("lg"), type = table.column("type"),
              number = table.column("number_tm"), player = table.column("player"),
              id = table.column("player_id"), position = table.column("position");
    std::vector<TeamSelection> rows;
    for (const auto& r : table.rows())
        rows.push_back(
            {startOf(r[season]), r[league], r[type], r[number], r[player], r[id], unlessNa(r[position])});
    // The source lists the newest season first; within a season, teams by type and number.
    std::stable_sort(rows.begin(), rows.end(), [](const TeamSelection& a, const TeamSelection& b) {
        return std::tie(a.type, a.number) < std::tie(b.type, b.number);
    });
    sortBySeasonAndLeague(rows, [](const TeamSelection& s) { return s.league; });
    return rows;
}

std::vector<AwardWinner> readAwardWinners(const std::filesystem::path& raw) {
    const auto table = dataset::CsvTable::read(dataset::raw::need(raw, raw::kAwardShares));
    const int season = table.column("season"), award = table.column("award"), player = table.column("player"),
              id = table.column("player_id"), share = table.column("share"), winner = table.column("winner");
    std::vector<AwardWinner> rows;
    for (const auto& r : table.rows()) {
        if (r[winner] != "TRUE")
            continue;
        std::string league = r[award].substr(0, r[award].find(' '));
        std::transform(league.begin(), league.end(), league.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        rows.push_back({startOf(r[season]), league, r[award], r[player], r[id], unlessNa(r[share])});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const AwardWinner& a, const AwardWinner& b) { return a.player < b.player; });
    sortBySeasonAndLeague(rows, [](const AwardWinner& a) { return a.league; });
    return rows;
}

std::vector<AllStarSelection> readAllStars(const std::filesystem::path& raw) {
    const auto table = dataset::CsvTable::read(dataset::raw::need(raw, raw::kAllStars));
    const int season = table.column("season"), league = table.column("lg"), side = table.column("team"),
              player = table.column("player"), id = table.column("player_id"),
              replaced = table.column("replaced");
    std::vector<AllStarSelection> rows;
    for (const auto& r : table.rows())
        rows.push_back({startOf(r[season]), r[league], r[side], r[player], r[id], r[replaced] == "TRUE"});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const AllStarSelection& a, const AllStarSelection& b) { return a.side < b.side; });
    sortBySeasonAndLeague(rows, [](const AllStarSelection& s) { return s.league; });
    return rows;
}

} // namespace statdesk::shipped
