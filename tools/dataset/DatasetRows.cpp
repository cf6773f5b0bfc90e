#include "DatasetRows.h"

#include "Seasons.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <utility>

namespace statdesk::dataset {
namespace {

struct EraField {
    int field;
    std::optional<Stat> stat; // none: judged from the data only
};

// Counting fields whose recording began at some point in history.
const std::vector<EraField> kPlayerEraFields = {{7, Stat::Minutes},
                                                {9, {}},
                                                {13, Stat::ThreePointers},
                                                {14, Stat::ThreePointers},
                                                {17, {}},
                                                {19, Stat::SplitRebounds},
                                                {20, Stat::SplitRebounds},
                                                {21, Stat::Rebounds},
                                                {22, {}},
                                                {23, {}},
                                                {25, Stat::Steals},
                                                {26, Stat::Turnovers},
                                                {27, Stat::Blocks}};

std::vector<EraField> teamEraFields() {
    std::vector<EraField> fields = {{15, Stat::Minutes}};
    const std::vector<EraField> off = {{17, {}},
                                       {21, Stat::ThreePointers},
                                       {22, Stat::ThreePointers},
                                       {25, {}},
                                       {27, Stat::SplitRebounds},
                                       {28, Stat::SplitRebounds},
                                       {29, Stat::Rebounds},
                                       {30, {}},
                                       {31, {}},
                                       {32, Stat::Steals},
                                       {33, Stat::Turnovers},
                                       {34, Stat::Blocks}};
    for (const auto& f : off) {
        fields.push_back(f);
        fields.push_back({f.field + 19, f.stat});
    }
    return fields;
}

void blankUnrecorded(Dataset& dataset) {
    const auto eraFields = dataset.family == Family::Players ? kPlayerEraFields : teamEraFields();
    std::map<std::pair<std::string, int>, std::vector<double>> sums;
    for (const auto& r : dataset.rows) {
        auto& sum = sums[{leagueOf(r.row), r.seasonStart}];
        sum.resize(eraFields.size());
        for (size_t i = 0; i < eraFields.size(); ++i) {
            const double v = r.row.value[static_cast<size_t>(eraFields[i].field)];
            if (!isMissingValue(dataset.family, eraFields[i].field, v))
                sum[i] += v;
        }
    }
    const stats::StatRow empty = stats::makeEmptyRow(dataset.family);
    for (auto& r : dataset.rows) {
        const auto& league = leagueOf(r.row);
        const auto& sum = sums[{league, r.seasonStart}];
        for (size_t i = 0; i < eraFields.size(); ++i) {
            const auto& ef = eraFields[i];
            const bool kept = (!ef.stat || isRecorded(league, r.seasonStart, *ef.stat)) && sum[i] != 0;
            if (!kept)
                r.row.value[static_cast<size_t>(ef.field)] = empty.value[static_cast<size_t>(ef.field)];
        }
    }
}

} // namespace

std::optional<double> sourceNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.remove_suffix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

void setNumber(stats::StatRow& row, int field, std::optional<double> value) {
    if (value)
        row.value[static_cast<size_t>(field)] = *value;
}

const std::string& leagueOf(const stats::StatRow& row) {
    return row.text[row.family == Family::Players ? 1 : 2];
}

void finishDataset(Dataset& dataset) {
    blankUnrecorded(dataset);
    for (auto& r : dataset.rows)
        stats::computeDerived(r.row);
    // Players by season, name and team code; teams by season, code and league.
    std::stable_sort(dataset.rows.begin(), dataset.rows.end(), [&](const DatasetRow& a, const DatasetRow& b) {
        const auto& ta = a.row.text;
        const auto& tb = b.row.text;
        return std::tie(a.seasonStart, ta[0], ta[2]) < std::tie(b.seasonStart, tb[0], tb[2]);
    });
}

} // namespace statdesk::dataset
