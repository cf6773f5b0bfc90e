#pragma once

#include "ReplyLayout.h"
#include "RowCache.h"

namespace statdesk {

// The page a table window shows, as a report reads it: the family, the window's records and
// totals, and which rows are on screen.
struct TablePage {
    Family family;
    const RowCache& rows;
    int topRow;   // the grid's first data row on screen
    int pageSize; // the rows the last page query asked for
};

} // namespace statdesk
