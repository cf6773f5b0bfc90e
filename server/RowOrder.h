#pragma once

#include "StatTable.h"

#include <vector>

namespace statdesk::server {

// Orders result rows by the sort codes of a request: column n descending, n + 100 ascending, 300 the
// default order (players: name, season; teams: season, team); other codes are ignored. Missing values
// go last in both directions; ties fall back to the default order and then the row key, so pages of
// one result never overlap.
void sortRows(const StatTable& table, const std::vector<int>& sortCodes, std::vector<uint32_t>& rows);

} // namespace statdesk::server
