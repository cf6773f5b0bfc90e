#pragma once

#include "DerivedValues.h"
#include "StatTable.h"

#include <string>

// Row blocks of a page reply: one field per line, CR LF line ends.
namespace statdesk::server {

void appendLine(std::string& out, std::string_view line);
void appendRowBlock(std::string& out, const StatTable& table, size_t row);
void appendBlankBlock(std::string& out, Family family);
void appendStatRow(std::string& out, const stats::StatRow& row);

} // namespace statdesk::server
