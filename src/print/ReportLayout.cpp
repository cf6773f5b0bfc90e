#include "ReportLayout.h"

#include "CellFormats.h"
#include "ColumnCatalogue.h"
#include "PrintColumns.h"
#include "RowSource.h"
#include "Windows1252.h"

#include <algorithm>
#include <limits>

namespace statdesk {
namespace {

QString cellValue(Family family, const ReportCell& cell, const RowSource& rows, int record, int field) {
    const double value = rows.number(record, field);
    switch (cell.format) {
    case ReportFormat::Text:
        return fromWindows1252(rows.text(record, field));
    case ReportFormat::Literal:
        return fromWindows1252(cell.literal);
    case ReportFormat::Int:
        return IntCell(family, wholeValue(value), cell.width);
    case ReportFormat::Real:
        return RealCell(family, value, cell.width, cell.decimals);
    case ReportFormat::Fraction:
        return FractionCell(family, value, cell.width, cell.decimals);
    case ReportFormat::Signed:
        return SignedRealCell(value, cell.width, cell.decimals);
    }
    return {};
}

// A right-aligned second header loses its leading characters when the column prints narrower than
// the width the header was laid out for.
QString header2Text(const PrintColumn& column, const ReportColumnChoice& choice) {
    QString text = fromWindows1252(column.header2);
    if (column.header2RightAligned && choice.width < choice.nominal)
        text.remove(0, std::min<qsizetype>(choice.nominal - choice.width, text.size()));
    return text;
}

} // namespace

LineWidth charactersPerLine(Family family, const ReportSettings& settings) {
    long long sum = 0;
    for (const ReportColumnChoice& choice : settings.columns)
        if (printColumnIndex(family, choice.name.toStdString()) >= 0)
            sum += choice.width;
    LineWidth result;
    if (settings.fitToPage) {
        sum = std::max<long long>(sum, settings.minimumCharacters);
    } else {
        if (settings.maximumCharacters < sum)
            return {0, LineWidth::Problem::TooManyColumns};
        sum = settings.maximumCharacters;
    }
    // A line of no characters has no cell size.
    if (sum < 1)
        return {0, LineWidth::Problem::NoWidth};
    result.characters = static_cast<int>(std::min<long long>(sum, std::numeric_limits<int>::max()));
    return result;
}

ReportRows reportRows(int topRow, int visibleRows, int totalLines) {
    return {topRow - 1, topRow - 3 + std::min(visibleRows, totalLines + 1)};
}

std::vector<ReportLine> reportLines(Family family, const ReportSettings& settings, const RowSource& rows,
                                    ReportRows range, int totalsRecord) {
    const auto catalogue = printColumns(family);
    std::vector<const PrintColumn*> known;
    for (const ReportColumnChoice& choice : settings.columns) {
        const int index = printColumnIndex(family, choice.name.toStdString());
        known.push_back(index >= 0 ? &catalogue[static_cast<size_t>(index)] : nullptr);
    }
    const auto fieldOf = [&](const PrintColumn* column) {
        return replyFieldOfColumn(family, static_cast<int>(column - catalogue.data()));
    };
    const auto line = [&](ReportLineKind kind, int record) {
        ReportLine out{kind, {}};
        for (size_t i = 0; i < known.size(); ++i) {
            const PrintColumn* column = known[i];
            const ReportColumnChoice& choice = settings.columns[i];
            if (!column) {
                out.cells.push_back({QString(), 0});
                continue;
            }
            QString text;
            switch (kind) {
            case ReportLineKind::Header1:
                text = fromWindows1252(column->header1);
                break;
            case ReportLineKind::Header2:
                text = header2Text(*column, choice);
                break;
            case ReportLineKind::Row:
                text = cellValue(family, column->row, rows, record, fieldOf(column));
                break;
            case ReportLineKind::Totals:
                text = cellValue(family, column->totals, rows, record, fieldOf(column));
                break;
            }
            out.cells.push_back({text, choice.width});
        }
        return out;
    };
    std::vector<ReportLine> lines;
    lines.push_back(line(ReportLineKind::Header1, 0));
    lines.push_back(line(ReportLineKind::Header2, 0));
    for (int record = range.first; record <= range.last; ++record)
        lines.push_back(line(ReportLineKind::Row, record));
    lines.push_back(line(ReportLineKind::Totals, totalsRecord));
    return lines;
}

} // namespace statdesk
