#pragma once

#include "ReplyLayout.h"

#include <cstdint>
#include <span>
#include <string_view>

// What each grid column of a family shows and how it is named in the dialogs. The column number is
// the same everywhere: grid column, sort code base, limit line, hidden-column entry.
namespace statdesk {

// How a cell turns a field into text; the family's missing markers are applied by CellFormats.
enum class CellKind : std::uint8_t {
    Blank,      // the cell stays empty
    Text,       // TextCell
    Height,     // player height rule
    Division,   // team division rule
    Int,        // IntCell(width)
    Real,       // RealCell(width, decimals)
    Fraction,   // FractionCell(width, decimals)
    SignedReal, // SignedRealCell(width, decimals)
    PerGame,    // RealCell(width, decimals) of field / games: team totals row, computed here
};

struct CellFormat {
    CellKind kind;
    std::uint8_t width; // pad width in characters
    std::uint8_t decimals;
    std::uint8_t field; // reply field the cell reads
};

struct ColumnInfo {
    std::string_view header1; // empty when the column has no first header line
    std::string_view header2;
    std::string_view sortName;   // entry of the sort dialog's field lists
    std::string_view limitName;  // entry of the limit dialog's field list
    std::string_view unhideName; // at most 30 characters
    int field;                   // reply field shown in data rows
    CellFormat data;
    CellFormat totals;
    int width; // initial width in pixels
};

std::span<const ColumnInfo> columns(Family family);
int columnCount(Family family);
// Throws std::out_of_range for a column the family does not have.
const ColumnInfo& columnInfo(Family family, int column);
int replyFieldOfColumn(Family family, int column);
// The name printing keys the column by, which exports write as its title: the sort-list name of a
// player column, the limit-list name of a team column.
std::string_view columnLongName(Family family, int column);
// True for a column whose data rows show a number.
bool isNumericColumn(Family family, int column);

} // namespace statdesk
