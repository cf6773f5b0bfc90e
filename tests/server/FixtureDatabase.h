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

// One stored row as the fixture writes it: texts by reply field (empty for numbers), numbers by reply
// field (0 for texts), missing numbers as the family's sentinel.
struct FixtureRow {
    long long key;
    int seasonStart;
    std::vector<std::string> texts;
    std::vector<double> numbers;
};

struct FixtureTable {
    std::string name; // players_regular, players_playoffs, teams_regular, teams_playoffs
    bool players;
    int textFields; // the leading fields that are texts
    int fieldCount;
    std::vector<FixtureRow> rows;
};

// The four dataset tables, in the order the service reads them.
std::vector<FixtureTable> fixtureTables();

// Writes the tables with the fixture's own SQL, after the table layout of DATA.md, into a new file; throws
// std::runtime_error on failure.
void writeFixtureDatabase(const QString& path);
// The same with tables of the caller's own, such as a result of hundreds of rows.
void writeFixtureDatabase(const QString& path, const std::vector<FixtureTable>& tables);

} // namespace statdesk::test
