#include "ColumnCatalogue.h"

#include <stdexcept>

namespace statdesk {

// The data live in PlayerColumns.cpp and TeamColumns.cpp.
std::span<const ColumnInfo> playerColumnTable();
std::span<const ColumnInfo> teamColumnTable();

std::span<const ColumnInfo> columns(Family family) {
    return family == Family::Players ? playerColumnTable() : teamColumnTable();
}

int columnCount(Family family) {
    return static_cast<int>(columns(family).size());
}

const ColumnInfo& columnInfo(Family family, int column) {
    const auto all = columns(family);
    if (column < 0 || column >= static_cast<int>(all.size()))
        throw std::out_of_range("no such column");
    return all[static_cast<size_t>(column)];
}

int replyFieldOfColumn(Family family, int column) {
    return columnInfo(family, column).field;
}

std::string_view columnLongName(Family family, int column) {
    const ColumnInfo& info = columnInfo(family, column);
    return family == Family::Players ? info.sortName : info.limitName;
}

bool isNumericColumn(Family family, int column) {
    switch (columnInfo(family, column).data.kind) {
    case CellKind::Int:
    case CellKind::Real:
    case CellKind::Fraction:
    case CellKind::SignedReal:
    case CellKind::PerGame:
        return true;
    case CellKind::Blank:
    case CellKind::Text:
    case CellKind::Height:
    case CellKind::Division:
        return false;
    }
    return false;
}

} // namespace statdesk
