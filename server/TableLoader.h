#pragma once

#include "StatTable.h"

#include <string>
#include <vector>

namespace statdesk::server {

// Reads the four dataset tables of the database file, in Dataset order. Throws std::runtime_error
// when the file or a table cannot be read.
std::vector<StatTable> loadTables(const std::string& databasePath);

} // namespace statdesk::server
