#pragma once

#include "ReplyLayout.h"

#include <span>
#include <string_view>

// The columns a report can print, per family, in catalogue order: the long name that keys them in
// the print options and in print definition files, their widths and how each report line fills them.
namespace statdesk {

enum class ReportFormat {
    Text,     // the row's text field as it stands
    Literal,  // a fixed text
    Int,      // IntCell
    Real,     // RealCell
    Fraction, // FractionCell
    Signed,   // SignedRealCell
};

struct ReportCell {
    ReportFormat format;
    int width;
    int decimals;
    std::string_view literal;
};

struct PrintColumn {
    std::string_view longName;
    int defaultWidth; // characters
    int nominalWidth; // the width header line 2 was laid out for
    std::string_view header1;
    std::string_view header2;
    bool header2RightAligned; // shortened from the left when printed narrower than nominal
    ReportCell row;
    ReportCell totals;
};

// The family's columns; position i is grid column i of the family's table window.
std::span<const PrintColumn> printColumns(Family family);
// Position of the column with exactly this long name, or -1.
int printColumnIndex(Family family, std::string_view longName);

} // namespace statdesk
