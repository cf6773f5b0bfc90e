#pragma once

#include <QString>

#include <string>
#include <vector>

// A small service database: a dozen player seasons and a few team seasons covering ties, missing
// values, seasons on both sides of 2000, several leagues and teams.
namespace statdesk::test {

inline constexpr double kMissing = -999;

struct FixturePlayer {
    long long key;
    std::string name, league, teamCode, teamName, year, height;
    int seasonStart;
    double games, minutes, points, steals;
};

struct FixtureTeam {
    long long key;
    std::string code, name, league, division, year;
    int seasonStart;
    double games, wins, losses, offDq, offPoints;
};

const std::vector<FixturePlayer>& fixturePlayers();
const std::vector<FixtureTeam>& fixtureTeams();
// Playoff tables hold only the rows whose key is at most this.
inline constexpr long long kPlayoffKeyLimit = 3;

// Writes the tables of the service's database contract into a new file; throws on failure.
void writeFixtureDatabase(const QString& path);

} // namespace statdesk::test
