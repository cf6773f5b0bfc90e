#include "BannerSubjects.h"

#include "CsvTable.h"
#include "DatasetRows.h"
#include "RawFiles.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <stdexcept>

namespace statdesk::banners {
namespace {

namespace fs = std::filesystem;
using dataset::CsvTable;
using dataset::sourceNumber;

// The qualifying rule of the shipped leader lists: games played, per cent of the longest team schedule.
constexpr int kQualifyingPercent = 70;
// Seasons, by the year they end, whose scoring leader gets a banner of his own.
constexpr std::array kScoringSeasons = {1962, 1987, 2006, 2019};
// Four best-of-seven rounds: a champion of the seasons the playoff team tables cover.
constexpr int kTitleWins = 16;

const std::string kAwardShares = "bball-reference-datasets/Player Award Shares.csv";
const std::string kAllStars = "bball-reference-datasets/All-Star Selections.csv";
const std::string kPlayoffTeams = "playoffs/advanced_stats.csv"; // in each season's folder of the standings

struct PlayerSeason {
    int season = 0; // the year it ends
    std::string league, id, name, team;
    int games = 0;
    std::optional<double> points, rebounds, assists;
};

struct TeamSeason {
    int season = 0;
    std::string league, name;
    int wins = 0, losses = 0;
};

struct Data {
    std::vector<PlayerSeason> players;
    std::vector<TeamSeason> teams;
    std::map<std::pair<int, std::string>, std::string> teamNames; // (season, abbreviation)
    std::map<std::pair<int, std::string>, int> schedules;         // (season, league): most games of a team
};

std::string seasonLabel(int endYear) {
    char tail[8];
    std::snprintf(tail, sizeof tail, "%02d", endYear % 100);
    return std::to_string(endYear - 1) + "-" + tail;
}

std::string thousands(long value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

std::string oneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

bool isMajor(const std::string& league) {
    return league == "NBA" || league == "BAA";
}

int wholeNumber(const std::string& text) {
    return static_cast<int>(sourceNumber(text).value_or(0));
}

void readTeams(const fs::path& raw, Data& data) {
    const auto table = CsvTable::read(dataset::raw::need(raw, dataset::raw::kTeamSummaries));
    const int season = table.column("season"), league = table.column("lg"), team = table.column("team"),
              abbreviation = table.column("abbreviation"), w = table.column("w"), l = table.column("l");
    for (const auto& r : table.rows()) {
        const auto wins = sourceNumber(r[w]), losses = sourceNumber(r[l]);
        if (!wins || !losses) // the "League Average" rows
            continue;
        const TeamSeason t{std::stoi(r[season]), r[league], r[team], static_cast<int>(*wins),
                           static_cast<int>(*losses)};
        data.teamNames[{t.season, r[abbreviation]}] = t.name;
        int& schedule = data.schedules[{t.season, t.league}];
        schedule = std::max(schedule, t.wins + t.losses);
        data.teams.push_back(t);
    }
}

void readPlayers(const fs::path& raw, Data& data) {
    const auto table = CsvTable::read(dataset::raw::need(raw, dataset::raw::kPlayerTotals));
    const int season = table.column("season"), id = table.column("player_id"), name = table.column("player"),
              league = table.column("lg"), team = table.column("tm"), g = table.column("g"),
              pts = table.column("pts"), trb = table.column("trb"), ast = table.column("ast");
    // A traded player's "TOT" row holds his season; his rows per team are left out.
    std::map<std::tuple<int, std::string, std::string>, PlayerSeason> seasons;
    for (const auto& r : table.rows()) {
        const int games = wholeNumber(r[g]);
        const std::tuple key{std::stoi(r[season]), r[league], r[id]};
        if (games <= 0 || (seasons.contains(key) && r[team] != "TOT"))
            continue;
        seasons[key] = {
            std::get<0>(key),     r[league],           r[id], r[name], r[team], games, sourceNumber(r[pts]),
            sourceNumber(r[trb]), sourceNumber(r[ast])};
    }
    for (auto& [key, line] : seasons)
        data.players.push_back(std::move(line));
}

std::string teamPhrase(const Data& data, const PlayerSeason& p) {
    if (p.team == "TOT")
        return "for more than one team";
    const auto name = data.teamNames.find({p.season, p.team});
    return "for the " + (name == data.teamNames.end() ? p.team : name->second);
}

int qualifyingGames(const Data& data, int season, const std::string& league) {
    const auto schedule = data.schedules.find({season, league});
    if (schedule == data.schedules.end())
        throw std::runtime_error("no team records for " + league + " " + seasonLabel(season));
    return (schedule->second * kQualifyingPercent + 99) / 100;
}

using Stat = std::optional<double> PlayerSeason::*;

// Qualifying player-seasons with the statistic, best per game first; ties in name order.
template <typename Keep>
std::vector<const PlayerSeason*> perGameRanking(const Data& data, Stat stat, Keep keep) {
    std::vector<const PlayerSeason*> ranking;
    for (const PlayerSeason& p : data.players) {
        if (keep(p) && (p.*stat).has_value() && *(p.*stat) > 0 &&
            p.games >= qualifyingGames(data, p.season, p.league))
            ranking.push_back(&p);
    }
    if (ranking.size() < 2)
        throw std::runtime_error("too few qualifying player seasons for a ranking");
    std::stable_sort(ranking.begin(), ranking.end(), [stat](const PlayerSeason* a, const PlayerSeason* b) {
        const double x = *(a->*stat) / a->games, y = *(b->*stat) / b->games;
        return x != y ? x > y : a->name < b->name;
    });
    return ranking;
}

double perGame(const PlayerSeason& p, Stat stat) {
    return *(p.*stat) / p.games;
}

// The seasons the player totals cover, for the "from ... to ..." of the all-time marks.
std::string playerSeasonsSpan(const Data& data) {
    int first = 9999, last = 0;
    for (const PlayerSeason& p : data.players) {
        first = std::min(first, p.season);
        last = std::max(last, p.season);
    }
    return seasonLabel(first) + " to " + seasonLabel(last);
}

BannerSubject scoringLeader(const Data& data, int season) {
    const auto ranking = perGameRanking(data, &PlayerSeason::points, [season](const PlayerSeason& p) {
        return p.season == season && p.league == "NBA";
    });
    const PlayerSeason& leader = *ranking[0];
    const PlayerSeason& next = *ranking[1];
    const std::string label = seasonLabel(season);
    const std::string ppg = oneDecimal(perGame(leader, &PlayerSeason::points));
    const auto schedule = data.schedules.at({season, "NBA"});
    return {"scoring-" + std::to_string(season), "SCORING LEADER " + label,
            leader.name + ": " + ppg + " points a game",
            leader.name + " led the " + label + " regular season in scoring with " + ppg +
                " points a game: " + thousands(static_cast<long>(*leader.points)) + " points in " +
                std::to_string(leader.games) + " games " + teamPhrase(data, leader) + ". Next came " +
                next.name + " with " + oneDecimal(perGame(next, &PlayerSeason::points)) +
                ". The scoring title counts players in at least " +
                std::to_string(qualifyingGames(data, season, "NBA")) + " of the " + std::to_string(schedule) +
                " games of the longest team schedule."};
}

BannerSubject perGameRecord(const Data& data, Stat stat, const std::string& id, const std::string& what,
                            const std::string& verb) {
    const auto ranking = perGameRanking(data, stat, [](const PlayerSeason& p) { return isMajor(p.league); });
    const PlayerSeason& best = *ranking[0];
    const PlayerSeason& next = *ranking[1];
    std::string upper = what;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    return {id, "ALL-TIME MARK \u00b7 " + upper + " A GAME",
            best.name + ": " + oneDecimal(perGame(best, stat)) + " " + what + " a game",
            best.name + " " + verb + " " + oneDecimal(perGame(best, stat)) + " " + what + " a game in " +
                seasonLabel(best.season) + ", " + thousands(static_cast<long>(*(best.*stat))) + " in " +
                std::to_string(best.games) + " games " + teamPhrase(data, best) +
                ": the best of any qualifying regular season from " + playerSeasonsSpan(data) +
                ". Next best: " + next.name + ", " + oneDecimal(perGame(next, stat)) + " in " +
                seasonLabel(next.season) + "."};
}

BannerSubject seasonPoints(const Data& data) {
    std::vector<const PlayerSeason*> ranking;
    for (const PlayerSeason& p : data.players) {
        if (isMajor(p.league) && p.points)
            ranking.push_back(&p);
    }
    std::stable_sort(ranking.begin(), ranking.end(),
                     [](const PlayerSeason* a, const PlayerSeason* b) { return *a->points > *b->points; });
    if (ranking.size() < 2)
        throw std::runtime_error("no player points in the player totals");
    const PlayerSeason& best = *ranking[0];
    const PlayerSeason& next = *ranking[1];
    const std::string points = thousands(static_cast<long>(*best.points));
    return {"season-points", "ALL-TIME MARK \u00b7 POINTS IN ONE SEASON",
            best.name + ": " + points + " points in " + seasonLabel(best.season),
            best.name + " scored " + points + " points in " + std::to_string(best.games) + " games in " +
                seasonLabel(best.season) + " " + teamPhrase(data, best) +
                ", the most by any player in one regular season from " + playerSeasonsSpan(data) +
                ". Next: " + next.name + ", " + thousands(static_cast<long>(*next.points)) + " in " +
                seasonLabel(next.season) + "."};
}

BannerSubject careerPoints(const Data& data) {
    struct Career {
        std::string name;
        long points = 0;
        int seasons = 0, first = 9999, last = 0;
    };
    std::map<std::string, Career> careers;
    for (const PlayerSeason& p : data.players) {
        if (!isMajor(p.league) || !p.points)
            continue;
        Career& c = careers[p.id];
        c.name = p.name;
        c.points += static_cast<long>(*p.points);
        c.seasons += 1;
        c.first = std::min(c.first, p.season);
        c.last = std::max(c.last, p.season);
    }
    std::vector<const Career*> ranking;
    for (const auto& [id, career] : careers)
        ranking.push_back(&career);
    std::stable_sort(ranking.begin(), ranking.end(),
                     [](const Career* a, const Career* b) { return a->points > b->points; });
    if (ranking.size() < 2)
        throw std::runtime_error("no careers in the player totals");
    const Career& best = *ranking[0];
    return {"career-points", "ALL-TIME MARK \u00b7 CAREER POINTS",
            best.name + ": " + thousands(best.points) + " career points",
            best.name + " scored " + thousands(best.points) + " regular-season points in " +
                std::to_string(best.seasons) + " seasons, " + seasonLabel(best.first) + " to " +
                seasonLabel(best.last) + ": the most in the player totals, which cover " +
                playerSeasonsSpan(data) + " and stop at the suspension of March 2020. Next: " +
                ranking[1]->name + " with " + thousands(ranking[1]->points) + "."};
}

BannerSubject mostWins(const Data& data) {
    std::vector<const TeamSeason*> ranking;
    int first = 9999, last = 0;
    for (const TeamSeason& t : data.teams) {
        ranking.push_back(&t);
        first = std::min(first, t.season);
        last = std::max(last, t.season);
    }
    std::stable_sort(ranking.begin(), ranking.end(), [](const TeamSeason* a, const TeamSeason* b) {
        return a->wins != b->wins ? a->wins > b->wins : a->losses < b->losses;
    });
    if (ranking.size() < 2)
        throw std::runtime_error("no team records in the team summaries");
    const TeamSeason& best = *ranking[0];
    const TeamSeason& next = *ranking[1];
    const std::string record = std::to_string(best.wins) + "-" + std::to_string(best.losses);
    return {"most-wins", "MOST WINS IN A SEASON \u00b7 " + seasonLabel(best.season),
            best.name + " go " + record,
            "The " + seasonLabel(best.season) + " " + best.name + " won " + std::to_string(best.wins) +
                " regular-season games and lost " + std::to_string(best.losses) +
                ", the most wins of any team in the records from " + seasonLabel(first) + " to " +
                seasonLabel(last) + ". Next: the " + seasonLabel(next.season) + " " + next.name + ", " +
                std::to_string(next.wins) + "-" + std::to_string(next.losses) + "."};
}

// The later playoff tables call the team column "Team" instead of "Tm".
int teamColumn(const CsvTable& table) {
    try {
        return table.column("Tm");
    } catch (const std::runtime_error&) {
        return table.column("Team");
    }
}

BannerSubject playoffRun(const fs::path& raw) {
    const fs::path folder = raw / dataset::raw::kStandingsFolder;
    if (!fs::is_directory(folder))
        throw std::runtime_error("missing raw folder " + folder.string());
    std::vector<TeamSeason> champions;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const fs::path file = entry.path() / kPlayoffTeams;
        if (!fs::is_regular_file(file))
            continue;
        const auto table = CsvTable::read(file, 1); // a group header line comes first
        const int team = teamColumn(table), w = table.column("W"), l = table.column("L");
        for (const auto& r : table.rows()) {
            if (wholeNumber(r[w]) == kTitleWins)
                champions.push_back({std::stoi(entry.path().filename().string()), "NBA", r[team], kTitleWins,
                                     wholeNumber(r[l])});
        }
    }
    if (champions.size() < 2)
        throw std::runtime_error("too few champions in " + folder.string());
    std::sort(champions.begin(), champions.end(), [](const TeamSeason& a, const TeamSeason& b) {
        return a.losses != b.losses ? a.losses < b.losses : a.season < b.season;
    });
    const auto [first, last] =
        std::minmax_element(champions.begin(), champions.end(),
                            [](const TeamSeason& a, const TeamSeason& b) { return a.season < b.season; });
    const TeamSeason& best = champions[0];
    const TeamSeason& next = champions[1];
    const std::string record = std::to_string(best.wins) + "-" + std::to_string(best.losses);
    return {"playoff-run", "PLAYOFF RUN \u00b7 " + seasonLabel(best.season),
            best.name + ": " + record + " to the title",
            "The " + seasonLabel(best.season) + " " + best.name + " won the title with " +
                std::to_string(best.wins) + " playoff wins and " + std::to_string(best.losses) +
                (best.losses == 1 ? " loss" : " losses") + ", the best run of any champion from " +
                seasonLabel(first->season) + " to " + seasonLabel(last->season) + ". Next: the " +
                seasonLabel(next.season) + " " + next.name + ", " + std::to_string(next.wins) + "-" +
                std::to_string(next.losses) + "."};
}

// The player named most often in a list of seasons, the seasons themselves and the runners-up.
struct MostNamed {
    std::string name;
    std::vector<int> seasons;
    std::vector<std::string> nextNames;
    size_t nextCount = 0;
    int first = 0, last = 0; // the seasons the list covers
};

MostNamed mostNamed(const std::vector<std::tuple<std::string, std::string, int>>& entries) {
    std::map<std::string, std::pair<std::string, std::vector<int>>> byId;
    MostNamed result{{}, {}, {}, 0, 9999, 0};
    for (const auto& [id, name, season] : entries) {
        auto& [lastName, seasons] = byId[id];
        lastName = name;
        seasons.push_back(season);
        result.first = std::min(result.first, season);
        result.last = std::max(result.last, season);
    }
    std::vector<std::pair<std::string, std::vector<int>>> ranking;
    for (auto& [id, named] : byId)
        ranking.push_back(named);
    std::stable_sort(ranking.begin(), ranking.end(),
                     [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
    if (ranking.size() < 2 || ranking[0].second.size() == ranking[1].second.size())
        throw std::runtime_error("no single player named most often");
    result.name = ranking[0].first;
    result.seasons = ranking[0].second;
    std::sort(result.seasons.begin(), result.seasons.end());
    result.nextCount = ranking[1].second.size();
    for (size_t i = 1; i < ranking.size() && ranking[i].second.size() == result.nextCount; ++i)
        result.nextNames.push_back(ranking[i].first);
    std::sort(result.nextNames.begin(), result.nextNames.end());
    return result;
}

std::string namesText(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

BannerSubject mostMvpAwards(const fs::path& raw) {
    const auto table = CsvTable::read(dataset::raw::need(raw, kAwardShares));
    const int season = table.column("season"), award = table.column("award"), player = table.column("player"),
              id = table.column("player_id"), winner = table.column("winner");
    std::vector<std::tuple<std::string, std::string, int>> winners;
    for (const auto& r : table.rows()) {
        if (r[award] == "nba mvp" && r[winner] == "TRUE")
            winners.emplace_back(r[id], r[player], std::stoi(r[season]));
    }
    const MostNamed most = mostNamed(winners);
    std::string seasons;
    for (int s : most.seasons)
        seasons += (seasons.empty() ? "" : ", ") + seasonLabel(s);
    const std::string count = std::to_string(most.seasons.size());
    return {"most-mvp", "MOST MVP AWARDS", most.name + ": " + count + " MVP awards",
            most.name + " was named the league's most valuable player " + count + " times: " + seasons +
                ". No one else has more than " + std::to_string(most.nextCount) + " (" +
                namesText(most.nextNames) + "). The award votes cover " + seasonLabel(most.first) + " to " +
                seasonLabel(most.last) + "."};
}

BannerSubject mostAllStarPicks(const fs::path& raw) {
    const auto table = CsvTable::read(dataset::raw::need(raw, kAllStars));
    const int season = table.column("season"), league = table.column("lg"), player = table.column("player"),
              id = table.column("player_id");
    std::vector<std::tuple<std::string, std::string, int>> picks;
    for (const auto& r : table.rows()) {
        if (r[league] == "NBA")
            picks.emplace_back(r[id], r[player], std::stoi(r[season]));
    }
    const MostNamed most = mostNamed(picks);
    const std::string count = std::to_string(most.seasons.size());
    return {"most-all-star", "MOST ALL-STAR SELECTIONS", most.name + ": " + count + " All-Star picks",
            most.name + " was picked for the All-Star game " + count + " times, from " +
                seasonLabel(most.seasons.front()) + " to " + seasonLabel(most.seasons.back()) +
                ", the most of any player in the selections from " + seasonLabel(most.first) + " to " +
                seasonLabel(most.last) + ". Next: " + namesText(most.nextNames) + " with " +
                std::to_string(most.nextCount) + "."};
}

} // namespace

std::vector<BannerSubject> bannerSubjects(const fs::path& rawDir) {
    Data data;
    readTeams(rawDir, data);
    readPlayers(rawDir, data);
    std::vector<BannerSubject> scoring;
    for (int season : kScoringSeasons)
        scoring.push_back(scoringLeader(data, season));
    // Player marks and team marks take turns, so that the two banners of a window tend to differ in kind.
    return {scoring[0],
            mostWins(data),
            careerPoints(data),
            scoring[1],
            playoffRun(rawDir),
            seasonPoints(data),
            scoring[2],
            perGameRecord(data, &PlayerSeason::rebounds, "rebounds-record", "rebounds", "pulled down"),
            mostMvpAwards(rawDir),
            scoring[3],
            perGameRecord(data, &PlayerSeason::assists, "assists-record", "assists", "handed out"),
            mostAllStarPicks(rawDir)};
}

} // namespace statdesk::banners
