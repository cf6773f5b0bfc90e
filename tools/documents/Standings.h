#pragma once

#include "Directory.h"
#include "DocumentFile.h"
#include "TeamSeasons.h"

#include <string>

namespace statdesk::shipped {

// The standings of one league in one season, division by division, into doc.
void addStandings(DocumentFile& doc, int seasonStart, const std::string& league, const TeamSeasons& teams,
                  const dataset::Directory& directory);

} // namespace statdesk::shipped
