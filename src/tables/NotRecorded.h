#pragma once

#include "ReplyLayout.h"

#include <string_view>

namespace statdesk {

// True when the grid shows this reply line of a data row's column as not recorded ("---"): the
// family's sentinel under the column's own format, the height and division rules for those texts.
bool isNotRecorded(Family family, int column, std::string_view line);

} // namespace statdesk
