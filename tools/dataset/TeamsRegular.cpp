#include "Builders.h"

#include "CsvTable.h"
#include "RawFiles.h"
#include "Seasons.h"
#include "TextFit.h"

#include <map>
#include <tuple>

namespace statdesk::dataset {
namespace {

// The season in progress when the source was taken; its figures are not final.
constexpr int kSeasonInProgressEnd = 2026;

using Key = std::tuple<std::string, std::string, std::string>; // season, league, code

std::map<Key, const std::vector<std::string>*> byTeamSeason(const CsvTable& table) {
    std::map<Key, const std::vector<std::string>*> index;
    const int season = table.column("season"), league = table.column("lg"),
              code = table.column("abbreviation");
    for (const auto& row : table.rows())
        index[{row[season], row[league], row[code]}] = &row;
    return index;
}

void copyColumns(stats::StatRow& row, const CsvTable& table, const std::vector<std::string>& source,
                 const std::vector<std::pair<const char*, int>>& columns) {
    for (const auto& [name, field] : columns)
        setNumber(row, field, sourceNumber(source[static_cast<size_t>(table.column(name))]));
}

void setRecords(stats::StatRow& row, const TeamSeasonInfo& info) {
    auto set = [&](int field, std::optional<int> v) {
        if (v)
            row.value[static_cast<size_t>(field)] = *v;
    };
    set(9, info.homeWins);
    set(10, info.homeLosses);
    set(11, info.awayWins);
    set(12, info.awayLosses);
    set(13, info.neutralWins);
    set(14, info.neutralLosses);
    // Where a source has only home and road, the rest of the record was played on neutral courts.
    if (!info.neutralWins && info.homeWins && info.awayWins && row.value[6] >= 0 && row.value[7] >= 0) {
        const double neutralWins = row.value[6] - *info.homeWins - *info.awayWins;
        const double neutralLosses = row.value[7] - *info.homeLosses - *info.awayLosses;
        if (neutralWins >= 0 && neutralLosses >= 0) {
            row.value[13] = neutralWins;
            row.value[14] = neutralLosses;
        }
    }
}

} // namespace

Dataset buildTeamsRegular(const std::filesystem::path& raw, const Directory& directory) {
    const auto totals = CsvTable::read(raw::need(raw, raw::kTeamTotals));
    const auto opponents = CsvTable::read(raw::need(raw, raw::kOpponentTotals));
    const auto summaries = CsvTable::read(raw::need(raw, raw::kTeamSummaries));
    const auto opponentIndex = byTeamSeason(opponents);
    const auto summaryIndex = byTeamSeason(summaries);

    const std::vector<std::pair<const char*, int>> own = {
        {"g", 5},   {"mp", 15},  {"fg", 16},  {"fga", 17}, {"x3p", 21}, {"x3pa", 22},
        {"ft", 24}, {"fta", 25}, {"orb", 27}, {"drb", 28}, {"trb", 29}, {"ast", 30},
        {"pf", 31}, {"stl", 32}, {"tov", 33}, {"blk", 34}, {"pts", 57}};
    const std::vector<std::pair<const char*, int>> theirs = {
        {"opp_fg", 35},  {"opp_fga", 36}, {"opp_x3p", 40}, {"opp_x3pa", 41}, {"opp_ft", 43},
        {"opp_fta", 44}, {"opp_orb", 46}, {"opp_drb", 47}, {"opp_trb", 48},  {"opp_ast", 49},
        {"opp_pf", 50},  {"opp_stl", 51}, {"opp_tov", 52}, {"opp_blk", 53},  {"opp_pts", 58}};
    const std::vector<std::pair<const char*, int>> record = {{"w", 6}, {"l", 7}};

    Dataset dataset{"teams_regular", Family::Teams, {}};
    const int season = totals.column("season"), league = totals.column("lg"), team = totals.column("team"),
              code = totals.column("abbreviation");
    for (const auto& source : totals.rows()) {
        const int end = yearOf(source[season]);
        if (source[team] == "League Average" || end >= kSeasonInProgressEnd)
            continue;
        const int start = startFromEndYear(end);
        const Key key{source[season], source[league], source[code]};
        auto row = stats::makeEmptyRow(Family::Teams);
        row.text[0] = source[code];
        row.text[1] = fitText(toWindows1252(source[team]), 30);
        row.text[2] = source[league];
        row.text[4] = seasonText(start);
        copyColumns(row, totals, source, own);
        if (const auto it = opponentIndex.find(key); it != opponentIndex.end())
            copyColumns(row, opponents, *it->second, theirs);
        if (const auto it = summaryIndex.find(key); it != summaryIndex.end())
            copyColumns(row, summaries, *it->second, record);
        const auto info = directory.teamSeason(start, source[code]);
        row.text[3] = info.division.empty() ? "-1" : fitText(info.division, 4);
        setRecords(row, info);
        dataset.rows.push_back({start, std::move(row)});
    }
    finishDataset(dataset);
    return dataset;
}

} // namespace statdesk::dataset
