#pragma once

#include "ReplyLayout.h"

#include <QByteArray>
#include <QString>

#include <string_view>
#include <vector>

namespace statdesk {

class RowSource;

// A column's title: its two header lines joined ("EFF FG%").
QString columnTitle(Family family, int column);

// Copied grid rows as delimited text (CsvWriter's quoting): a line of the columns' titles, then one
// line per record with each cell as the grid shows it, numbers without the padding that aligns
// them. Record 0 is the totals row.
QByteArray rowsText(Family family, const std::vector<int>& columns, const RowSource& rows,
                    const std::vector<int>& records, char separator, std::string_view lineEnd);

} // namespace statdesk
