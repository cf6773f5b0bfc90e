#include "Builders.h"

#include "CsvTable.h"
#include "RawFiles.h"
#include "Seasons.h"
#include "TextFit.h"

#include <algorithm>
#include <cmath>

namespace statdesk::dataset {
namespace {

// The old dump starts with the 1949-50 playoffs; the seasons before come from the box scores.
constexpr int kFirstDumpSeason = 1949;

// Reply field of each box-score statistic in a player row.
constexpr std::array<int, kBoxStats> kPlayerField = {7,  8,  9,  13, 14, 16, 17, 19,
                                                     20, 21, 22, 25, 27, 26, 23, 45};

stats::StatRow playerRow(int start, const std::string& league, const std::string& name,
                         const std::string& code, const std::string& teamName,
                         std::optional<std::string> height) {
    auto row = stats::makeEmptyRow(Family::Players);
    row.text[0] = fitName(toWindows1252(name), 20);
    row.text[1] = league;
    row.text[2] = code;
    row.text[3] = fitText(toWindows1252(teamName), 30);
    row.text[4] = seasonText(start);
    row.text[5] = height.value_or("-999");
    return row;
}

std::string lowerTrimmed(std::string id) {
    while (!id.empty() && id.back() == ' ')
        id.pop_back();
    std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return std::tolower(c); });
    return id;
}

} // namespace

Dataset buildPlayersPlayoffs(const std::filesystem::path& raw, const Directory& directory,
                             const PlayoffBoxScores& boxScores) {
    Dataset dataset{"players_playoffs", Family::Players, {}};
    for (const auto& line : boxScores.players()) {
        if (line.seasonStart >= kFirstDumpSeason)
            continue;
        auto row = playerRow(line.seasonStart, line.league, line.name, line.team,
                             directory.teamName(line.seasonStart, line.team).value_or(line.team),
                             directory.heightOfId(line.playerId));
        row.value[6] = line.totals.games;
        for (size_t i = 0; i < kPlayerField.size(); ++i) {
            if (line.totals.complete[i])
                row.value[static_cast<size_t>(kPlayerField[i])] =
                    i == Minutes ? std::round(line.totals.sum[i]) : line.totals.sum[i];
        }
        dataset.rows.push_back({line.seasonStart, std::move(row)});
    }

    const auto dump = CsvTable::read(raw::need(raw, raw::kPlayoffPlayers));
    const std::vector<std::pair<const char*, int>> numbers = {
        {"gp", 6},   {"minutes", 7}, {"fgm", 8},       {"fga", 9},   {"tpm", 13}, {"tpa", 14},
        {"ftm", 16}, {"fta", 17},    {"oreb", 19},     {"dreb", 20}, {"reb", 21}, {"asts", 22},
        {"pf", 23},  {"stl", 25},    {"turnover", 26}, {"blk", 27},  {"pts", 45}};
    std::vector<std::pair<int, int>> columns;
    for (const auto& [name, field] : numbers)
        columns.emplace_back(dump.column(name), field);
    const int id = dump.column("ilkid"), year = dump.column("year"), first = dump.column("firstname"),
              last = dump.column("lastname"), team = dump.column("team"), league = dump.column("leag");
    for (const auto& source : dump.rows()) {
        const int start = std::stoi(source[year]);
        const auto [code, teamName] = directory.dumpTeam(start, source[team]);
        auto row = playerRow(start, source[league] == "A" ? "ABA" : "NBA", source[first] + " " + source[last],
                             code, teamName, directory.heightOfId(lowerTrimmed(source[id])));
        for (const auto& [column, field] : columns)
            setNumber(row, field, sourceNumber(source[static_cast<size_t>(column)]));
        dataset.rows.push_back({start, std::move(row)});
    }
    finishDataset(dataset);
    return dataset;
}

} // namespace statdesk::dataset
