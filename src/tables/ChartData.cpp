#include "ChartData.h"

#include "ColumnCatalogue.h"
#include "NotRecorded.h"
#include "NumberText.h"
#include "Windows1252.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace statdesk {
namespace {

constexpr int kPlayerNameField = 0;
constexpr int kTeamNameField = 1;
constexpr int kYearField = 4;
// Two-digit years from here on are of the 1900s: the first season is 1946-47.
constexpr int kFirstCenturyYear = 46;

int seasonOf(std::string_view year) {
    if (year.size() < 4 ||
        !std::all_of(year.begin(), year.begin() + 4, [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const int first = (year[0] - '0') * 10 + (year[1] - '0');
    const int second = (year[2] - '0') * 10 + (year[3] - '0');
    if ((first + 1) % 100 != second)
        return 0;
    return first >= kFirstCenturyYear ? 1900 + first : 2000 + first;
}

} // namespace

ChartRow chartRow(Family family, std::span<const std::string_view> fields) {
    ChartRow row;
    const std::string_view name = fields[family == Family::Players ? kPlayerNameField : kTeamNameField];
    row.name = fromWindows1252(name).trimmed();
    row.season = seasonOf(fields[kYearField]);
    const int count = columnCount(family);
    row.values.assign(static_cast<size_t>(count), std::numeric_limits<double>::quiet_NaN());
    for (int column = 0; column < count; ++column) {
        if (!isNumericColumn(family, column))
            continue;
        const int field = replyFieldOfColumn(family, column);
        const std::string_view line = fields[static_cast<size_t>(field)];
        if (isNotRecorded(family, column, line))
            continue;
        row.values[static_cast<size_t>(column)] =
            replyFields(family)[static_cast<size_t>(field)].type == FieldType::Integer
                ? static_cast<double>(readWholeNumber(line))
                : readRealNumber(line);
    }
    return row;
}

QString seasonLabel(int season) {
    return QStringLiteral("%1-%2").arg(season).arg((season + 1) % 100, 2, 10, QLatin1Char('0'));
}

ChartPlan planChart(const std::vector<ChartRow>& rows, int column) {
    ChartPlan plan;
    std::vector<QString> names;
    for (const ChartRow& row : rows)
        if (std::find(names.begin(), names.end(), row.name) == names.end())
            names.push_back(row.name);
    plan.lines = static_cast<int>(names.size()) <= ChartPlan::kMostLines;

    std::vector<ChartPoint> points;
    for (size_t i = 0; i < rows.size(); ++i) {
        const double value = column >= 0 && static_cast<size_t>(column) < rows[i].values.size()
                                 ? rows[i].values[static_cast<size_t>(column)]
                                 : std::numeric_limits<double>::quiet_NaN();
        if (rows[i].season != 0 && !std::isnan(value))
            points.push_back({double(rows[i].season), value, static_cast<int>(i)});
    }
    if (!plan.lines) {
        plan.scatter = std::move(points);
        return plan;
    }
    for (const QString& name : names) {
        ChartLine line{name, {}};
        std::vector<ChartPoint> own;
        for (const ChartPoint& point : points)
            if (rows[static_cast<size_t>(point.row)].name == name)
                own.push_back(point);
        std::stable_sort(own.begin(), own.end(),
                         [](const ChartPoint& a, const ChartPoint& b) { return a.season < b.season; });
        for (const ChartPoint& point : own) {
            if (line.pieces.empty() || point.season - line.pieces.back().back().season > 1)
                line.pieces.emplace_back();
            line.pieces.back().push_back(point);
        }
        plan.byName.push_back(std::move(line));
    }
    return plan;
}

} // namespace statdesk
