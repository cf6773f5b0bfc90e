#pragma once

#include "NewsDate.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace statdesk::server {

struct GameLeader {
    std::string name;
    int points = 0;
    std::optional<int> rebounds, assists; // not recorded in every era
};

// One game of the database's game_recaps table; texts are Windows-1252.
struct GameRecap {
    std::string gameId;
    Date date;
    std::string league;
    int seasonStart = 0;
    std::string homeCode, homeName, awayCode, awayName;
    int homePoints = 0, awayPoints = 0;
    int overtimes = -1; // -1: not known
    bool playoff = false;
    std::string series;
    int seriesGame = 0, seriesGames = 0, seriesHomeWins = 0, seriesAwayWins = 0;
    std::vector<GameLeader> homeLeaders, awayLeaders; // best scorer first

    int margin() const;
    int combinedPoints() const;
    // The best scorer of the game; nothing when the source has no player lines.
    const GameLeader* topScorer() const;
    bool topScorerIsHome() const;
};

// Every game recap in memory, found by id or by calendar month and day of any year.
class RecapIndex {
  public:
    RecapIndex() = default;
    RecapIndex(RecapIndex&&) = default; // the lookups point into the moved storage, which stays put
    RecapIndex& operator=(RecapIndex&&) = default;
    RecapIndex(const RecapIndex&) = delete;
    RecapIndex& operator=(const RecapIndex&) = delete;
    // An absent table gives an empty index; an unreadable file throws std::runtime_error.
    static RecapIndex load(const std::string& databasePath);

    // The games played on this month and day in any year, in date order.
    const std::vector<const GameRecap*>& gamesOn(std::chrono::month_day day) const;
    const GameRecap* find(const std::string& gameId) const;
    size_t size() const { return m_recaps.size(); }

  private:
    void buildIndex();

    std::vector<GameRecap> m_recaps;
    std::map<std::string, const GameRecap*> m_byId;
    std::map<unsigned, std::vector<const GameRecap*>> m_byMonthDay;
};

} // namespace statdesk::server
