#include "FixtureDatabase.h"

#include "DatabaseWriter.h"
#include "DerivedValues.h"

namespace statdesk::test {
namespace {

constexpr int kPlayerGames = 6, kPlayerMinutes = 7, kPlayerSteals = 25, kPlayerPoints = 45;
constexpr int kTeamGames = 5, kTeamWins = 6, kTeamLosses = 7, kTeamOffDq = 59, kTeamOffPoints = 57;

stats::StatRow playerRow(const FixturePlayer& player) {
    stats::StatRow row = stats::makeEmptyRow(Family::Players);
    row.text[0] = player.name;
    row.text[1] = player.league;
    row.text[2] = player.teamCode;
    row.text[3] = player.teamName;
    row.text[4] = player.year;
    row.text[5] = player.height;
    for (int field = 0; field < kPlayerFieldCount; ++field) {
        if (stats::isCountingField(Family::Players, field))
            row.value[static_cast<size_t>(field)] = 1;
    }
    row.value[kPlayerGames] = player.games;
    row.value[kPlayerMinutes] = player.minutes;
    row.value[kPlayerPoints] = player.points;
    row.value[kPlayerSteals] = player.steals;
    stats::computeDerived(row);
    return row;
}

stats::StatRow teamRow(const FixtureTeam& team) {
    stats::StatRow row = stats::makeEmptyRow(Family::Teams);
    row.text[0] = team.code;
    row.text[1] = team.name;
    row.text[2] = team.league;
    row.text[3] = team.division;
    row.text[4] = team.year;
    for (int field = 0; field < kTeamFieldCount; ++field) {
        if (stats::isCountingField(Family::Teams, field))
            row.value[static_cast<size_t>(field)] = 10;
    }
    row.value[kTeamGames] = team.games;
    row.value[kTeamWins] = team.wins;
    row.value[kTeamLosses] = team.losses;
    row.value[kTeamOffDq] = team.offDq;
    row.value[kTeamOffPoints] = team.offPoints;
    stats::computeDerived(row);
    return row;
}

} // namespace

const std::vector<FixturePlayer>& fixturePlayers() {
    static const std::vector<FixturePlayer> players = {
        {1, "Abdul Zed", "NBA", "BOS", "Boston Celtics", "7475", "6-9", 1974, 82, 3000, 2000, 100},
        {2, "Baker Al", "NBA", "BOS", "Boston Celtics", "9900", "-999", 1999, 50, 1500, 800, kMissing},
        {3, "Baker Al", "NBA", "LAL", "Los Angeles Lakers", "0001", "6-5", 2000, 82, 3100, 2000, 60},
        {4, "Carter Vi", "ABA", "NYN", "New York Nets", "7475", "6-6", 1974, 84, 3200, 1500, 120},
        {5, "carter vi", "NBA", "NJN", "New Jersey Nets", "7677", "6-6", 1976, 80, 2900, 1800, 90},
        {6, "Davis Ed", "NBA", "BOS", "boston celtics", "6263", "6-1", 1962, 70, 2000, 900, kMissing},
        {7, "Evans Ty", "NBA", "LAL", "Los Angeles Lakers", "0001", "7-0", 2000, 10, 100, 0, 0},
        {8, "Young Bo", "BAA", "BOS", "Boston Celtics", "4647", "", 1946, 60, kMissing, 600, kMissing},
        {9, "Zane Mo", "NBA", "LAL", "Los Angeles Lakers", "2324", "6-8", 2023, 82, 3000, 2400, 150},
        {10, "Abbot Cy", "NBA", "NYK", "New York Knicks", "9900", "6-2", 1999, 5, 40, 20, 1},
        {11, "Ng Lu", "NBA", "NYK", "New York Knicks", "2324", "6-0", 2023, 0, 0, 0, 0},
        {12, "Zane Mo", "NBA", "LAL", "Los Angeles Lakers", "2324", "6-8", 2023, 2, 30, 2000, 3},
    };
    return players;
}

const std::vector<FixtureTeam>& fixtureTeams() {
    static const std::vector<FixtureTeam> teams = {
        {1, "BOS", "Boston Celtics", "NBA", "East", "7475", 1974, 82, 60, 22, 3, 9000},
        {2, "LAL", "Los Angeles Lakers", "NBA", "West", "0001", 2000, 82, 56, 26, -1, 8500},
        {3, "NYN", "New York Nets", "ABA", "-1", "7475", 1974, 84, 55, 29, 7, 9200},
        {4, "BOS", "Boston Celtics", "NBA", "East", "9900", 1999, 50, 19, 31, 3, 4500},
    };
    return teams;
}

void writeFixtureDatabase(const QString& path) {
    // The builder numbers rows from 1 in the order given, which is the fixture's key order.
    dataset::Dataset playersRegular{"players_regular", Family::Players, {}};
    dataset::Dataset playersPlayoffs{"players_playoffs", Family::Players, {}};
    for (const FixturePlayer& player : fixturePlayers()) {
        playersRegular.rows.push_back({player.seasonStart, playerRow(player)});
        if (player.key <= kPlayoffKeyLimit)
            playersPlayoffs.rows.push_back({player.seasonStart, playerRow(player)});
    }
    dataset::Dataset teamsRegular{"teams_regular", Family::Teams, {}};
    dataset::Dataset teamsPlayoffs{"teams_playoffs", Family::Teams, {}};
    for (const FixtureTeam& team : fixtureTeams()) {
        teamsRegular.rows.push_back({team.seasonStart, teamRow(team)});
        if (team.key <= kPlayoffKeyLimit)
            teamsPlayoffs.rows.push_back({team.seasonStart, teamRow(team)});
    }
    dataset::writeDatabase(path.toStdString(),
                           {&playersRegular, &playersPlayoffs, &teamsRegular, &teamsPlayoffs}, {});
}

} // namespace statdesk::test
