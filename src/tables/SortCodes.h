#pragma once

#include <array>
#include <vector>

namespace statdesk {

// One field box of the sort window: its entry position (0 = "NONE") and its direction.
struct SortField {
    int position = 0;
    bool ascending = true;
};

// The codes a choice of four fields sends. The service has always read them this way: one pass that
// closes one gap per step, so a gap left between used fields goes out as 99 or -1, which the service
// ignores.
std::vector<int> computeSortCodes(const std::array<SortField, 4>& fields);

} // namespace statdesk
