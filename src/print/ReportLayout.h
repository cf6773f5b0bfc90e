#pragma once

#include "ReplyLayout.h"

#include <QString>

#include <vector>

// The report as lines of cells, before anything is drawn: what the printer and the preview share.
namespace statdesk {

class RowSource;

// A chosen column as the print options give it: its long name and both widths.
struct ReportColumnChoice {
    QString name;
    int width = 0;   // print width in characters
    int nominal = 0; // width header line 2 was laid out for
};

struct ReportSettings {
    std::vector<ReportColumnChoice> columns; // in print order
    bool fitToPage = true;
    int minimumCharacters = 80;
    int maximumCharacters = 80;
};

enum class ReportLineKind { Header1, Header2, Row, Totals };

struct ReportCellText {
    QString text;
    int width = 0;
};

struct ReportLine {
    ReportLineKind kind;
    std::vector<ReportCellText> cells;
};

// Characters per line, or why there is no usable line width.
struct LineWidth {
    enum class Problem { None, TooManyColumns, NoWidth };
    int characters = 0;
    Problem problem = Problem::None;
};
LineWidth charactersPerLine(Family family, const ReportSettings& settings);

// Row-buffer records of the window's current page: top grid row T, visible rows V of the last page
// request, total lines L. Empty (last < first) when the window holds no page.
struct ReportRows {
    int first = 0;
    int last = -1;
};
ReportRows reportRows(int topRow, int visibleRows, int totalLines);

// Header line 1, header line 2, one line per record of `rows` in the range, the totals line (from
// `totalsRecord` of `rows`). A name that is not a column of the family gives an empty cell of width 0.
std::vector<ReportLine> reportLines(Family family, const ReportSettings& settings, const RowSource& rows,
                                    ReportRows range, int totalsRecord);

} // namespace statdesk
