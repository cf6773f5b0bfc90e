#include "RowsText.h"

#include "CellFormats.h"
#include "ColumnCatalogue.h"
#include "CsvWriter.h"
#include "RowCache.h"

namespace statdesk {

QString columnTitle(Family family, int column) {
    return QString(headerText(family, column, 0) + QLatin1Char(' ') + headerText(family, column, 1))
        .simplified();
}

QByteArray rowsText(Family family, const std::vector<int>& columns, const RowSource& rows,
                    const std::vector<int>& records, char separator, std::string_view lineEnd) {
    CsvWriter out(separator, lineEnd);
    std::vector<bool> numeric;
    for (int column : columns) {
        out.addField(columnTitle(family, column));
        numeric.push_back(isNumericColumn(family, column));
    }
    out.endRow();
    for (int record : records) {
        const RowKind kind = record == RowCache::TotalsRecord ? RowKind::Totals : RowKind::Data;
        for (size_t i = 0; i < columns.size(); ++i) {
            const QString text = cellText(family, columns[i], kind, rows, record);
            out.addField(numeric[i] ? text.trimmed() : text);
        }
        out.endRow();
    }
    return QByteArray(out.bytes().data(), static_cast<qsizetype>(out.size()));
}

} // namespace statdesk
