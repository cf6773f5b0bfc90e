#include "GameRecaps.h"

#include "DatasetRows.h"
#include "TextFit.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace statdesk::dataset {
namespace {

constexpr double kRegulationMinutes = 240; // five players for 48 minutes
constexpr double kOvertimeMinutes = 25;
constexpr double kMinutesSlack = 3; // box scores round each player's minutes

struct PlayerLine {
    std::string name;
    double points;
    std::optional<double> rebounds, assists;
};

struct Side {
    std::string team;
    double points = 0, minutes = 0;
    bool minutesComplete = true;
    std::vector<PlayerLine> players;
};

std::string figure(std::optional<double> value) {
    return value ? std::to_string(std::llround(*value)) : std::string();
}

// The best scorers first; rebounds, then the file order break ties.
std::string leaders(std::vector<PlayerLine> players) {
    std::stable_sort(players.begin(), players.end(), [](const PlayerLine& a, const PlayerLine& b) {
        return std::tuple(a.points, a.rebounds.value_or(-1)) > std::tuple(b.points, b.rebounds.value_or(-1));
    });
    std::string text;
    for (size_t i = 0; i < players.size() && i < kLeadersPerTeam; ++i) {
        const auto& p = players[i];
        text += (i ? ";" : "") + p.name + "|" + figure(p.points) + "|" + figure(p.rebounds) + "|" +
                figure(p.assists);
    }
    return text;
}

// Periods past regulation from both sides' minutes; -1 when they are missing or disagree.
int overtimesOf(const Side& a, const Side& b) {
    if (!a.minutesComplete || !b.minutesComplete || std::abs(a.minutes - b.minutes) > kMinutesSlack)
        return -1;
    const double minutes = (a.minutes + b.minutes) / 2;
    const long periods = std::lround((minutes - kRegulationMinutes) / kOvertimeMinutes);
    if (periods < 0 || std::abs(minutes - kRegulationMinutes - periods * kOvertimeMinutes) > kMinutesSlack)
        return -1;
    return static_cast<int>(periods);
}

// Names go to the table in the code page, without the separators of the leaders text.
std::string cleanName(const std::string& utf8) {
    std::string name = toWindows1252(utf8);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == '|' || c == ';'; }, ' ');
    return name;
}

} // namespace

GameRecaps::GameRecaps(const Directory& directory, const std::map<std::string, std::string>& playoffSeries)
    : m_directory(directory), m_playoffSeries(playoffSeries) {}

GameRecap GameRecaps::recapOf(const std::string& gameId, const std::string& league, int seasonStart) const {
    GameRecap recap;
    recap.gameId = gameId;
    recap.date = gameId.substr(0, 4) + "-" + gameId.substr(4, 2) + "-" + gameId.substr(6, 2);
    recap.league = league;
    recap.seasonStart = seasonStart;
    const auto series = m_playoffSeries.find(gameId);
    recap.playoff = series != m_playoffSeries.end();
    if (recap.playoff)
        recap.series = series->second;
    return recap;
}

void GameRecaps::add(const BoxScoreFile& file) {
    const auto& box = file.lines;
    const int game = box.column("Game Reference"), team = box.column("Team"),
              player = box.column("Player Name"), reason = box.column("Reason"), minutes = box.column("MP"),
              points = box.column("PTS"), rebounds = box.column("TRB"), assists = box.column("AST");
    std::vector<std::string> order;
    std::map<std::string, std::vector<Side>> games;
    for (const auto& row : box.rows()) {
        auto [it, fresh] = games.try_emplace(row[game]);
        if (fresh)
            order.push_back(row[game]);
        auto& sides = it->second;
        auto side =
            std::find_if(sides.begin(), sides.end(), [&](const Side& s) { return s.team == row[team]; });
        if (side == sides.end())
            side = sides.insert(sides.end(), Side{row[team], 0, 0, true, {}});
        if (!row[reason].empty())
            continue; // did not play
        const double scored = sourceNumber(row[points]).value_or(0);
        side->points += scored;
        const auto played = minutesPlayed(row[minutes]);
        side->minutes += played.value_or(0);
        side->minutesComplete = side->minutesComplete && played.has_value();
        side->players.push_back(
            {cleanName(row[player]), scored, sourceNumber(row[rebounds]), sourceNumber(row[assists])});
    }
    for (const auto& id : order) {
        const auto& sides = games[id];
        if (sides.size() != 2)
            continue;
        const bool firstHome = id.substr(9) == sides[0].team;
        const Side& home = sides[firstHome ? 0 : 1];
        const Side& away = sides[firstHome ? 1 : 0];
        if (id.substr(9) != home.team)
            continue;
        GameRecap recap = recapOf(id, file.league, file.seasonStart);
        recap.homeCode = home.team;
        recap.awayCode = away.team;
        recap.homeName = toWindows1252(m_directory.teamName(file.seasonStart, home.team).value_or(home.team));
        recap.awayName = toWindows1252(m_directory.teamName(file.seasonStart, away.team).value_or(away.team));
        recap.homePoints = static_cast<int>(std::llround(home.points));
        recap.awayPoints = static_cast<int>(std::llround(away.points));
        recap.overtimes = overtimesOf(home, away);
        recap.homeLeaders = leaders(home.players);
        recap.awayLeaders = leaders(away.players);
        m_recaps.push_back(std::move(recap));
    }
}

std::vector<GameRecap> GameRecaps::finish() {
    std::sort(m_recaps.begin(), m_recaps.end(), [](const GameRecap& a, const GameRecap& b) {
        return std::tie(a.date, a.gameId) < std::tie(b.date, b.gameId);
    });
    // A series is one pairing of teams in one round of one postseason.
    using SeriesKey = std::tuple<std::string, int, std::string, std::string, std::string>;
    std::map<SeriesKey, std::vector<GameRecap*>> series;
    for (auto& recap : m_recaps) {
        if (recap.playoff)
            series[{recap.league, recap.seasonStart, recap.series, std::min(recap.homeCode, recap.awayCode),
                    std::max(recap.homeCode, recap.awayCode)}]
                .push_back(&recap);
    }
    for (auto& [key, games] : series) {
        std::map<std::string, int> wins;
        for (size_t g = 0; g < games.size(); ++g) {
            GameRecap& recap = *games[g];
            if (recap.homePoints != recap.awayPoints)
                ++wins[recap.homePoints > recap.awayPoints ? recap.homeCode : recap.awayCode];
            recap.seriesGame = static_cast<int>(g) + 1;
            recap.seriesGames = static_cast<int>(games.size());
            recap.seriesHomeWins = wins[recap.homeCode];
            recap.seriesAwayWins = wins[recap.awayCode];
        }
    }
    return std::move(m_recaps);
}

} // namespace statdesk::dataset
