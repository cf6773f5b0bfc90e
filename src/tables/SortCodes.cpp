#include "SortCodes.h"

#include <cstddef>

namespace statdesk {

std::vector<int> computeSortCodes(const std::array<SortField, 4>& fields) {
    std::array<int, 4> column{};
    std::array<bool, 4> ascending{};
    for (std::size_t i = 0; i < 4; ++i) {
        column[i] = fields[i].position - 1;
        ascending[i] = fields[i].ascending;
    }
    const auto pullUp = [&](std::size_t to) {
        column[to] = column[to + 1];
        ascending[to] = ascending[to + 1];
        column[to + 1] = -1;
    };
    if (fields[2].position == 0)
        pullUp(2);
    if (column[1] == -1)
        pullUp(1);
    if (fields[0].position == 0)
        pullUp(0);

    std::size_t count = 1;
    if (column[3] >= 0)
        count = 4;
    else if (column[2] >= 0)
        count = 3;
    else if (column[1] >= 0)
        count = 2;
    std::vector<int> codes;
    for (std::size_t i = 0; i < count; ++i)
        codes.push_back(column[i] + (ascending[i] ? 100 : 0));
    return codes;
}

} // namespace statdesk
