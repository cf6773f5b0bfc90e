#include "SeasonSummaries.h"

#include "DocumentFile.h"
#include "Seasons.h"
#include "Standings.h"
#include "TextColumns.h"

#include <algorithm>
#include <map>
#include <set>

namespace statdesk::shipped {
namespace {

// The season files were taken during 2025-26; its standings are not final.
constexpr int kSeasonInProgress = 2025;

const std::vector<std::pair<std::string, std::string>> kAwardTitles = {
    {"mvp", "Most Valuable Player"},          {"roy", "Rookie of the Year"},
    {"dpoy", "Defensive Player of the Year"}, {"smoy", "Sixth Man of the Year"},
    {"mip", "Most Improved Player"},          {"clutch_poy", "Clutch Player of the Year"}};

void addChampion(DocumentFile& doc, int start, const std::string& league, const SeasonSources& s) {
    for (const auto& series : s.series) {
        if (series.seasonStart == start && series.league == league && series.final) {
            doc.add(league + " CHAMPION: " + s.teams.nameOf(start, series.winner) + " (" + series.winner +
                    ")");
            doc.add("  beat " + s.teams.nameOf(start, series.loser) + " (" + series.loser + ") " +
                    std::to_string(series.wins) + "-" + std::to_string(series.losses) + " in the " +
                    series.round + ".");
            return;
        }
    }
    doc.add(league + " CHAMPION: not in the data (no playoff results for this season).");
}

void addAwards(DocumentFile& doc, int start, const std::string& league, const SeasonSources& s) {
    std::vector<std::string> lines;
    for (const auto& [key, title] : kAwardTitles) {
        for (const auto& a : s.awards) {
            if (a.seasonStart == start && a.league == league && a.award.substr(a.award.find(' ') + 1) == key)
                lines.push_back(left(title, 31) + left(playerName(a.player, 24), 26) +
                                s.playerTeams.teamOf(start, a.playerId, a.player));
        }
    }
    if (lines.empty())
        return;
    doc.blank();
    doc.add(league + " AWARDS");
    for (auto& line : lines)
        doc.add(std::move(line));
}

void writeSeason(int start, const std::set<std::string>& leagues, const SeasonSources& s,
                 const std::filesystem::path& file) {
    DocumentFile doc("SEASON SUMMARY " + seasonLabel(start));
    std::vector<std::string> ordered(leagues.begin(), leagues.end());
    std::stable_sort(ordered.begin(), ordered.end(), [](const std::string& a, const std::string& b) {
        return leagueOrder(a) < leagueOrder(b);
    });
    for (const auto& league : ordered) {
        if (&league != &ordered.front())
            doc.blank();
        addStandings(doc, start, league, s.teams, s.directory);
        doc.blank();
        addChampion(doc, start, league, s);
        addAwards(doc, start, league, s);
        doc.blank();
        s.leaders.add(doc, start, league);
    }
    doc.save(file);
}

} // namespace

std::vector<std::string> writeSeasonSummaries(const SeasonSources& sources,
                                              const std::filesystem::path& out) {
    std::map<int, std::set<std::string>> seasons;
    for (const auto& t : sources.teams.all()) {
        if (t.seasonStart < kSeasonInProgress)
            seasons[t.seasonStart].insert(t.league);
    }
    std::vector<std::string> written;
    for (const auto& [start, leagues] : seasons) {
        const std::string name = dataset::seasonText(start) + ".SUM";
        writeSeason(start, leagues, sources, out / name);
        written.push_back(name);
    }
    return written;
}

} // namespace statdesk::shipped
