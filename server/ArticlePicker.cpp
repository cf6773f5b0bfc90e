#include "ArticlePicker.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <tuple>

namespace statdesk::server {
namespace {

constexpr int kDaysInLongestYear = 366;

// Finals, then conference and division finals, then semifinals, then earlier rounds.
int roundRank(std::string_view series) {
    if (series == "Finals")
        return 0;
    if (series.ends_with("Finals"))
        return 1;
    if (series.find("Semifinals") != std::string_view::npos)
        return 2;
    return 3;
}

class Picker {
  public:
    explicit Picker(const std::vector<const GameRecap*>& games) : m_games(games) {}

    // The first game (in date order) with the highest score among those not yet taken; false when none is
    // left.
    bool takeHighest(ArticleKind kind, const std::function<int(const GameRecap&)>& score,
                     const std::function<bool(const GameRecap&)>& eligible) {
        const GameRecap* best = nullptr;
        for (const GameRecap* game : m_games) {
            if (!isFree(game) || !eligible(*game))
                continue;
            if (!best || score(*game) > score(*best))
                best = game;
        }
        if (best)
            m_picks.push_back({best, kind});
        return best != nullptr;
    }

    void takePlayoffGames() {
        std::vector<const GameRecap*> playoff;
        std::copy_if(m_games.begin(), m_games.end(), std::back_inserter(playoff),
                     [this](const GameRecap* game) { return game->playoff && isFree(game); });
        const auto order = [](const GameRecap* game) {
            return std::tuple(roundRank(game->series), game->seriesGame != game->seriesGames, game->margin());
        };
        std::stable_sort(playoff.begin(), playoff.end(),
                         [&order](const GameRecap* a, const GameRecap* b) { return order(a) < order(b); });
        for (const GameRecap* game : playoff) {
            if (isFull())
                return;
            m_picks.push_back({game, ArticleKind::Playoff});
        }
    }

    bool isFull() const { return m_picks.size() >= kArticlesPerDay; }
    std::vector<Article> take() { return std::move(m_picks); }

  private:
    bool isFree(const GameRecap* game) const {
        return std::none_of(m_picks.begin(), m_picks.end(),
                            [game](const Article& a) { return a.game == game; });
    }

    const std::vector<const GameRecap*>& m_games;
    std::vector<Article> m_picks;
};

int scorerPoints(const GameRecap& game) {
    return game.topScorer()->points;
}

bool hasScorer(const GameRecap& game) {
    return game.topScorer() != nullptr;
}

bool anyGame(const GameRecap&) {
    return true;
}

// The nearest date on or before `from` whose month and day had games, with those games.
DayArticles nearestDayWithGames(const RecapIndex& index, std::chrono::sys_days from) {
    for (int back = 0; back < kDaysInLongestYear; ++back) {
        const Date day{from - std::chrono::days(back)};
        const auto& games = index.gamesOn(day.month() / day.day());
        if (!games.empty())
            return {day, pickArticles(games)};
    }
    return {Date{from}, {}};
}

} // namespace

std::vector<Article> pickArticles(const std::vector<const GameRecap*>& games) {
    Picker picker(games);
    picker.takeHighest(ArticleKind::TopScorer, scorerPoints, hasScorer);
    picker.takeHighest(ArticleKind::WidestMargin, &GameRecap::margin, anyGame);
    picker.takeHighest(ArticleKind::HighestScoring, &GameRecap::combinedPoints, anyGame);
    picker.takePlayoffGames();
    while (!picker.isFull() && picker.takeHighest(ArticleKind::TopScorer, scorerPoints, hasScorer)) {
    }
    return picker.take();
}

NewsDays newsDays(const RecapIndex& index, Date today) {
    NewsDays days;
    days.today = nearestDayWithGames(index, std::chrono::sys_days(today));
    days.yesterday = nearestDayWithGames(index, std::chrono::sys_days(days.today.day) - std::chrono::days(1));
    return days;
}

} // namespace statdesk::server
