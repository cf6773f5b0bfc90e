#pragma once

#include "ReplyLayout.h"

#include <QString>
#include <Qt>

#include <string_view>

// Cell texts of the table grids. Numbers are right-aligned by padding with blanks, so every cell
// text is drawn from the cell's top-left corner in a fixed-pitch font.
namespace statdesk {

class RowSource;

enum class RowKind { Data, Totals };

inline constexpr Qt::Alignment kCellTextAlignment = Qt::AlignLeft | Qt::AlignTop;

// Numeric formats: "." whatever the locale, halves rounded away from zero as judged on 18
// significant digits, padded on the left to `width`, never cut. Missing markers ("---") follow
// the family: players -999, teams any negative integer or the real -1.
QString IntCell(Family family, long long value, int width);
// A whole-number field's value for IntCell: 19 digits and more are clamped, so the cast stays defined.
long long wholeValue(double value);
QString RealCell(Family family, double value, int width, int decimals);
// As RealCell, with a lone whole-number digit 0 shown as a blank (" .456").
QString FractionCell(Family family, double value, int width, int decimals);
// No missing marker: the value may be negative.
QString SignedRealCell(double value, int width, int decimals);
// The field without trailing blanks.
QString TextCell(std::string_view text);
// Player height: "---" when the text contains "-999".
QString HeightCell(std::string_view text);
// Team division: "---" when the text without trailing blanks begins with "-".
QString DivisionCell(std::string_view text);

// The header line (0 or 1) of a grid column; empty for a column the family does not have.
QString headerText(Family family, int column, int line);

// The text of grid column `column` for `record` of `rows`: a data row, or the totals row (pass the
// totals record). Empty for a column the family does not have.
QString cellText(Family family, int column, RowKind kind, const RowSource& rows, int record);

} // namespace statdesk
