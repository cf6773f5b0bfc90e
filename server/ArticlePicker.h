#pragma once

#include "RecapIndex.h"

#include <vector>

// Which games the news site tells about on a day: notable games played on that month and day in past seasons.
namespace statdesk::server {

enum class ArticleKind { TopScorer, WidestMargin, HighestScoring, Playoff };

struct Article {
    const GameRecap* game = nullptr;
    ArticleKind kind = ArticleKind::TopScorer;
};

inline constexpr size_t kArticlesPerDay = 5;

// Up to five distinct games: the best individual scoring game, the widest margin, the most points, then
// playoff games (Finals first, series-deciding games first, closest first), then the next best scorers.
// Ties go to the earlier game.
std::vector<Article> pickArticles(const std::vector<const GameRecap*>& games);

struct DayArticles {
    Date day; // the date whose month and day the games share
    std::vector<Article> articles;
};

// Today's articles come from the nearest date on or before today whose month and day had games (the
// summer has none); yesterday's from the nearest such date before that one, so the lists never repeat.
struct NewsDays {
    DayArticles today, yesterday;
};
NewsDays newsDays(const RecapIndex& index, Date today);

} // namespace statdesk::server
