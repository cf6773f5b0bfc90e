#include "ColumnMap.h"

#include <array>

namespace statdesk::server {
namespace {

// Reply field of each grid column, from the column catalogues.
constexpr std::array<int, kPlayerFieldCount> kPlayerColumnField = {
    0,  4,  2,  3,  1,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25,
    26, 27, 45, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 46, 47, 48, 49, 50, 51,
    52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75};

constexpr std::array<int, kTeamFieldCount> kTeamColumnField = {
    4,  0,  1,  2,  3,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22,
    23, 24, 25, 26, 27, 28, 29, 30, 31, 59, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44,
    45, 46, 47, 48, 49, 50, 60, 51, 52, 53, 57, 58, 54, 55, 56, 61, 63, 65, 67, 69, 71, 73, 75,
    77, 79, 81, 83, 85, 87, 62, 64, 66, 68, 70, 72, 74, 76, 78, 80, 82, 84, 86, 88};

} // namespace

int columnCount(Family family) {
    return fieldCount(family);
}

int fieldOfColumn(Family family, int column) {
    if (column < 0 || column >= columnCount(family))
        return -1;
    return family == Family::Players ? kPlayerColumnField[static_cast<size_t>(column)]
                                     : kTeamColumnField[static_cast<size_t>(column)];
}

int nameField(Family family) {
    return family == Family::Players ? 0 : 1;
}

int teamField(Family family) {
    return family == Family::Players ? 3 : 1;
}

int leagueField(Family family) {
    return family == Family::Players ? 1 : 2;
}

} // namespace statdesk::server
