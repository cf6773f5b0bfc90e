#include "Builders.h"

#include "CsvTable.h"
#include "RawFiles.h"
#include "Seasons.h"
#include "TextFit.h"

namespace statdesk::dataset {

std::vector<DatasetRow> playerTotalsRows(const CsvTable& totals, const Directory& directory) {
    // Reply field of each source column.
    const std::vector<std::pair<const char*, int>> numbers = {
        {"g", 6},   {"mp", 7},   {"fg", 8},   {"fga", 9},  {"x3p", 13}, {"x3pa", 14},
        {"ft", 16}, {"fta", 17}, {"orb", 19}, {"drb", 20}, {"trb", 21}, {"ast", 22},
        {"pf", 23}, {"stl", 25}, {"tov", 26}, {"blk", 27}, {"pts", 45}};
    std::vector<std::pair<int, int>> columns;
    for (const auto& [name, field] : numbers)
        columns.emplace_back(totals.column(name), field);
    const int season = totals.column("season"), player = totals.column("player"),
              league = totals.column("lg"), team = totals.column("tm");

    std::vector<DatasetRow> rows;
    for (const auto& source : totals.rows()) {
        if (source[team] == "TOT")
            continue; // a traded player's season sum; his rows per team are kept instead
        const int start = startFromEndYear(yearOf(source[season]));
        auto row = stats::makeEmptyRow(Family::Players);
        row.text[0] = fitName(toWindows1252(source[player]), 20);
        row.text[1] = source[league];
        row.text[2] = source[team];
        row.text[3] =
            fitText(toWindows1252(directory.teamName(start, source[team]).value_or(source[team])), 30);
        row.text[4] = seasonText(start);
        row.text[5] = directory.heightOf(start, source[player], source[team]).value_or("-999");
        for (const auto& [column, field] : columns)
            setNumber(row, field, sourceNumber(source[column]));
        rows.push_back({start, std::move(row)});
    }
    return rows;
}

Dataset buildPlayersRegular(const std::filesystem::path& raw, const Directory& directory) {
    Dataset dataset{"players_regular", Family::Players, {}};
    dataset.rows = playerTotalsRows(CsvTable::read(raw::need(raw, raw::kPlayerTotals)), directory);
    finishDataset(dataset);
    return dataset;
}

} // namespace statdesk::dataset
