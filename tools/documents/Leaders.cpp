#include "Leaders.h"

#include "CsvTable.h"
#include "DatasetRows.h"
#include "RawFiles.h"
#include "Seasons.h"
#include "TextColumns.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace statdesk::shipped {
namespace {

constexpr int kQualifyingPercent = 70; // of the longest team schedule of the league-season
constexpr int kShown = 5;
// The player totals were taken when the 2019-20 season was suspended in March 2020.
constexpr int kSuspendedSeason = 2019;

} // namespace

Leaders::Leaders(const std::filesystem::path& raw, const TeamSeasons& teams) {
    for (const auto& t : teams.all()) {
        auto& games = m_scheduleGames[{t.seasonStart, t.league}];
        if (t.hasRecord)
            games = std::max(games, t.wins + t.losses);
    }
    const auto table = dataset::CsvTable::read(dataset::raw::need(raw, dataset::raw::kPlayerTotals));
    const int season = table.column("season"), id = table.column("player_id"),
              player = table.column("player"), league = table.column("lg"), team = table.column("tm"),
              g = table.column("g"), pts = table.column("pts"), trb = table.column("trb"),
              ast = table.column("ast");
    // A traded player's "TOT" row holds his season; his rows per team are left out.
    std::map<std::tuple<int, std::string, std::string>, Line> players;
    for (const auto& r : table.rows()) {
        const int start = dataset::startFromEndYear(std::stoi(r[season]));
        m_lastSeason = std::max(m_lastSeason, start);
        const auto games = dataset::sourceNumber(r[g]);
        if (!games || *games <= 0)
            continue;
        const std::tuple key{start, r[league], r[id]};
        if (players.contains(key) && r[team] != "TOT")
            continue;
        players[key] = {playerName(r[player], kNameWidth),
                        r[team],
                        static_cast<int>(*games),
                        dataset::sourceNumber(r[pts]).value_or(0),
                        dataset::sourceNumber(r[trb]).value_or(0),
                        dataset::sourceNumber(r[ast]).value_or(0)};
    }
    for (auto& [key, line] : players)
        m_lines[{std::get<0>(key), std::get<1>(key)}].push_back(std::move(line));
}

void Leaders::add(DocumentFile& doc, int seasonStart, const std::string& league) const {
    doc.add(league + " LEAGUE LEADERS");
    const auto lines = m_lines.find({seasonStart, league});
    if (lines == m_lines.end()) {
        doc.add(seasonStart > m_lastSeason ? "No player totals in the data for this season (they end with " +
                                                 seasonLabel(m_lastSeason) + ")."
                                           : "No player totals in the data for this league and season.");
        return;
    }
    const auto games = m_scheduleGames.find({seasonStart, league});
    const int schedule = games == m_scheduleGames.end() ? 0 : games->second;
    if (schedule == 0) {
        doc.add("No team records in the data to set a qualifying rule.");
        return;
    }
    const int minimum = (schedule * kQualifyingPercent + 99) / 100;
    doc.add("Qualifying: at least " + std::to_string(minimum) + " games played, " +
            std::to_string(kQualifyingPercent) + " per cent of " + std::to_string(schedule) + ",");
    doc.add("the longest team schedule of the season.");
    doc.add("TM: TOT for a player who played for more than one team.");
    if (seasonStart == kSuspendedSeason)
        doc.add("The player totals end at the suspension of the season in March 2020.");

    struct Category {
        const char* title;
        double Line::*total;
        dataset::Stat era;
        bool eraApplies;
    };
    const std::vector<Category> categories = {
        {"POINTS PER GAME", &Line::points, {}, false},
        {"REBOUNDS PER GAME", &Line::rebounds, dataset::Stat::Rebounds, true},
        {"ASSISTS PER GAME", &Line::assists, {}, false}};
    for (const auto& c : categories) {
        doc.blank();
        const bool anyValue = std::any_of(lines->second.begin(), lines->second.end(),
                                          [&](const Line& l) { return l.*c.total > 0; });
        if ((c.eraApplies && !dataset::isRecorded(league, seasonStart, c.era)) || !anyValue) {
            doc.add(std::string(c.title) + ": not recorded in this season.");
            continue;
        }
        std::vector<const Line*> ranked;
        for (const auto& l : lines->second) {
            if (l.games >= minimum)
                ranked.push_back(&l);
        }
        std::sort(ranked.begin(), ranked.end(), [&](const Line* a, const Line* b) {
            const double x = a->*c.total / a->games, y = b->*c.total / b->games;
            return x != y ? x > y : a->name < b->name;
        });
        doc.add(left(c.title, kNameWidth + 4) + left("TM", 5) + right("G", 4) + right("TOTAL", 7) +
                right("AVG", 7));
        for (int i = 0; i < kShown && i < static_cast<int>(ranked.size()); ++i) {
            const Line& l = *ranked[static_cast<size_t>(i)];
            doc.add(right(std::to_string(i + 1), 2) + "  " + left(l.name, kNameWidth) + left(l.team, 5) +
                    right(std::to_string(l.games), 4) + right(decimal(l.*c.total, 0), 7) +
                    right(decimal(l.*c.total / l.games, 1), 7));
        }
    }
}

} // namespace statdesk::shipped
