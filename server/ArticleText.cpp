#include "ArticleText.h"

#include <array>

namespace statdesk::server {
namespace {

struct Sides {
    const std::string &winner, &loser, &winnerCode, &loserCode;
    int winnerPoints, loserPoints;
    bool tied, homeWon;
};

Sides sides(const GameRecap& g) {
    const bool homeWon = g.homePoints >= g.awayPoints;
    return homeWon ? Sides{g.homeName,
                           g.awayName,
                           g.homeCode,
                           g.awayCode,
                           g.homePoints,
                           g.awayPoints,
                           g.homePoints == g.awayPoints,
                           true}
                   : Sides{g.awayName,   g.homeName,   g.awayCode, g.homeCode,
                           g.awayPoints, g.homePoints, false,      false};
}

std::string score(int a, int b) {
    return std::to_string(a) + "-" + std::to_string(b);
}

// "the Boston Celtics beat the Los Angeles Lakers", or the tie the source records.
std::string result(const GameRecap& g) {
    const Sides s = sides(g);
    if (s.tied)
        return "the " + s.winner + " and the " + s.loser + " tied";
    return "the " + s.winner + " beat the " + s.loser;
}

std::string overtimeWords(const GameRecap& g) {
    if (g.overtimes <= 0)
        return {};
    if (g.overtimes == 1)
        return " in overtime";
    if (g.overtimes == 2)
        return " in double overtime";
    return " in " + std::to_string(g.overtimes) + " overtimes";
}

std::string capitalized(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string seriesName(const GameRecap& g) {
    return g.series.empty() ? std::string("a playoff series") : "the " + g.series;
}

std::string scorerCaption(const GameRecap& g) {
    const GameLeader& p = *g.topScorer();
    const bool home = g.topScorerIsHome();
    const std::string& team = home ? g.homeName : g.awayName;
    const std::string& other = home ? g.awayName : g.homeName;
    const int own = home ? g.homePoints : g.awayPoints, their = home ? g.awayPoints : g.homePoints;
    const std::string scored = p.name + " scored " + std::to_string(p.points);
    if (own > their)
        return scored + " as the " + team + " beat the " + other;
    if (own < their)
        return scored + " but the " + team + " lost to the " + other;
    return scored + " as the " + team + " and the " + other + " tied";
}

// "1 rebound", "25 rebounds".
std::string counted(int number, const std::string& thing) {
    return std::to_string(number) + " " + thing + (number == 1 ? "" : "s");
}

std::string leaderFigures(const GameLeader& p) {
    const std::string text = counted(p.points, "point");
    if (p.rebounds && p.assists)
        return text + ", " + counted(*p.rebounds, "rebound") + " and " + counted(*p.assists, "assist");
    if (p.rebounds)
        return text + " and " + counted(*p.rebounds, "rebound");
    if (p.assists)
        return text + " and " + counted(*p.assists, "assist");
    return text;
}

struct Team {
    const std::string &name, &code;
    const std::vector<GameLeader>& leaders;
};

// The winners first (the home side in a tie).
std::array<Team, 2> teamsWinnerFirst(const GameRecap& g) {
    const Team home{g.homeName, g.homeCode, g.homeLeaders}, away{g.awayName, g.awayCode, g.awayLeaders};
    if (g.homePoints >= g.awayPoints)
        return {home, away};
    return {away, home};
}

// "Wilt Chamberlain 100 (PHW), Richie Guerin 39 (NYK)".
std::string topScorers(const GameRecap& g) {
    std::string text;
    for (const Team& team : teamsWinnerFirst(g)) {
        if (team.leaders.empty())
            continue;
        text += (text.empty() ? "" : ", ") + team.leaders.front().name + " " +
                std::to_string(team.leaders.front().points) + " (" + team.code + ")";
    }
    return text;
}

// "Wilt Chamberlain led the Philadelphia Warriors with 100 points, 25 rebounds and 2 assists."
std::string leaderSentences(const GameRecap& g) {
    std::string text;
    for (const Team& team : teamsWinnerFirst(g)) {
        if (team.leaders.empty())
            continue;
        text += " " + team.leaders.front().name + " led the " + team.name + " with " +
                leaderFigures(team.leaders.front());
        if (team.leaders.size() > 1)
            text += "; " + team.leaders[1].name + " added " + std::to_string(team.leaders[1].points);
        text += ".";
    }
    return text;
}

} // namespace

std::string caption(const Article& article) {
    const GameRecap& g = *article.game;
    const Sides s = sides(g);
    std::string text;
    switch (article.kind) {
    case ArticleKind::TopScorer:
        text = scorerCaption(g);
        break;
    case ArticleKind::WidestMargin:
        text = s.tied ? capitalized(result(g)) + " at " + std::to_string(s.winnerPoints)
                      : capitalized(result(g)) + " by " + counted(g.margin(), "point");
        break;
    case ArticleKind::HighestScoring:
        text = "The " + s.winner + " and the " + s.loser + " combined for " +
               std::to_string(g.combinedPoints()) + " points";
        break;
    case ArticleKind::Playoff:
        return longDate(g.date) + ": " + capitalized(result(g)) + " " + score(s.winnerPoints, s.loserPoints) +
               " in game " + std::to_string(g.seriesGame) + " of " + seriesName(g);
    }
    return longDate(g.date) + ": " + text + (g.playoff ? " (" + seriesGameText(g) + ")" : "");
}

std::string tooltip(const GameRecap& g) {
    const Sides s = sides(g);
    std::string text = "Final score: " + s.winnerCode + " " + std::to_string(s.winnerPoints) + ", " +
                       s.loserCode + " " + std::to_string(s.loserPoints);
    if (g.overtimes == 1)
        text += " (OT)";
    else if (g.overtimes > 1)
        text += " (" + std::to_string(g.overtimes) + " OT)";
    if (g.playoff)
        text += ", " + (g.series.empty() ? std::string("Playoffs") : g.series) + " game " +
                std::to_string(g.seriesGame);
    return text;
}

std::string summary(const GameRecap& g) {
    std::string text = scoreLine(g) + overtimeWords(g) + " (" + g.league + " " + seasonName(g.seasonStart);
    text += g.playoff ? ", " + seriesGameText(g) + ")." : ").";
    const std::string scorers = topScorers(g);
    if (!scorers.empty())
        text += " Top scorers: " + scorers + ".";
    return text;
}

std::string fullSummary(const GameRecap& g) {
    return fullSummaryOpening(g) + fullSummaryRest(g);
}

std::string fullSummaryOpening(const GameRecap& g) {
    return "On " + weekdayName(g.date) + ", " + longDate(g.date) + ",";
}

std::string fullSummaryRest(const GameRecap& g) {
    const Sides s = sides(g);
    std::string text = " in the " + seasonName(g.seasonStart) + " " + g.league +
                       (g.playoff ? " playoffs, " : " season, ") + result(g) + " " +
                       score(s.winnerPoints, s.loserPoints) + overtimeWords(g) +
                       (s.tied      ? ""
                        : s.homeWon ? " at home."
                                    : " on the road.");
    if (s.tied)
        text += ".";
    text += leaderSentences(g);
    if (g.playoff)
        text += " It was game " + std::to_string(g.seriesGame) + " of " + seriesName(g) + ". " +
                seriesStanding(g);
    return text;
}

std::string scoreLine(const GameRecap& g) {
    const Sides s = sides(g);
    return s.winner + " " + std::to_string(s.winnerPoints) + ", " + s.loser + " " +
           std::to_string(s.loserPoints);
}

std::string seriesGameText(const GameRecap& g) {
    if (!g.playoff)
        return {};
    return (g.series.empty() ? std::string("Playoffs") : g.series) + ", game " + std::to_string(g.seriesGame);
}

std::string seriesStanding(const GameRecap& g) {
    if (!g.playoff)
        return {};
    const bool homeAhead = g.seriesHomeWins >= g.seriesAwayWins;
    const std::string& leader = homeAhead ? g.homeName : g.awayName;
    const std::string wins =
        homeAhead ? score(g.seriesHomeWins, g.seriesAwayWins) : score(g.seriesAwayWins, g.seriesHomeWins);
    if (g.seriesHomeWins == g.seriesAwayWins)
        return "The series stood at " + wins + ".";
    if (g.seriesGame == g.seriesGames)
        return "The " + leader + " won the series " + wins + ".";
    return "The " + leader + " led the series " + wins + ".";
}

} // namespace statdesk::server
