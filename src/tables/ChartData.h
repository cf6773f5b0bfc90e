#pragma once

#include "ReplyLayout.h"

#include <QString>

#include <span>
#include <string_view>
#include <vector>

namespace statdesk {

// The rows of a result as a chart reads them: whose row it is, its season, and the value of every
// column (NaN where the grid shows "---" and in columns that hold no number).
struct ChartRow {
    QString name;               // the player, or the team
    int season = 0;             // first calendar year, 1995 for 1995-96; 0 when the year text is no season
    std::vector<double> values; // by column number
};

ChartRow chartRow(Family family, std::span<const std::string_view> fields);

// "1995-96" for 1995; "1999-00" for 1999.
QString seasonLabel(int season);

struct ChartPoint {
    double season;
    double value;
    int row; // index into the rows charted
};

// One player's (or team's) line; a season without a value breaks it, so it is drawn in pieces.
struct ChartLine {
    QString name;
    std::vector<std::vector<ChartPoint>> pieces;
};

struct ChartPlan {
    // At most this many players or teams get a line each; more make a scatter of every row.
    static constexpr int kMostLines = 12;
    bool lines = false;
    std::vector<ChartLine> byName; // lines, in the order the names first appear in the result
    std::vector<ChartPoint> scatter;
};

// What a chart of column draws for rows: rows without a season or a value give no point.
ChartPlan planChart(const std::vector<ChartRow>& rows, int column);

} // namespace statdesk
