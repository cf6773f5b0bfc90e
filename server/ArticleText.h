#pragma once

#include "ArticlePicker.h"

#include <string>

// The wording of the news articles. Plain Windows-1252 text on one line, so the same caption can be
// found again on every page that shows it.
namespace statdesk::server {

// "March 2, 1962: Wilt Chamberlain scored 100 as the Philadelphia Warriors beat the New York Knicks".
std::string caption(const Article& article);
// "Final score: PHW 169, NYK 147 (OT), Finals game 7": never part of a caption or a summary.
std::string tooltip(const GameRecap& game);
// One sentence of facts for the news page: score, season, series and game, leading scorers.
std::string summary(const GameRecap& game);
// The longer telling for the summary page and the article page: its opening ("On Friday, March 2, 1962,")
// and the rest.
std::string fullSummary(const GameRecap& game);
std::string fullSummaryOpening(const GameRecap& game);
std::string fullSummaryRest(const GameRecap& game);
// "Philadelphia Warriors 169, New York Knicks 147", winner first.
std::string scoreLine(const GameRecap& game);
// "Finals, game 7" for a playoff game, empty otherwise.
std::string seriesGameText(const GameRecap& game);
// "The Boston Celtics won the series 4-3." and the like, empty for a regular-season game.
std::string seriesStanding(const GameRecap& game);

} // namespace statdesk::server
