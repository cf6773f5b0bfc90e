#pragma once

#include "DerivedValues.h"
#include "StatTable.h"

namespace statdesk::server {

inline constexpr std::string_view kTotalsName = "TOTALS";

// The totals row of a result: each counting field summed over the rows that have it (missing when
// none has), the derived fields computed from those sums, named "TOTALS".
stats::StatRow totalsOf(const StatTable& table, const std::vector<uint32_t>& rows);

} // namespace statdesk::server
