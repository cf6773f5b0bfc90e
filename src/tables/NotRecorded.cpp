#include "NotRecorded.h"

#include "ColumnCatalogue.h"
#include "NumberText.h"

namespace statdesk {

bool isNotRecorded(Family family, int column, std::string_view line) {
    const bool players = family == Family::Players;
    // Every marker is negative or holds "-999"; most lines hold no "-" at all.
    if (line.find('-') == std::string_view::npos)
        return false;
    switch (columnInfo(family, column).data.kind) {
    case CellKind::Int: {
        const long long value = readWholeNumber(line);
        return players ? value == kPlayerMissing : value < 0;
    }
    case CellKind::Real:
    case CellKind::Fraction:
    case CellKind::PerGame:
        return readRealNumber(line) == (players ? double(kPlayerMissing) : kTeamMissingReal);
    case CellKind::Height:
        return line.find("-999") != std::string_view::npos;
    case CellKind::Division:
        return line.starts_with('-');
    case CellKind::SignedReal:
    case CellKind::Blank:
    case CellKind::Text:
        return false;
    }
    return false;
}

} // namespace statdesk
