#pragma once

#include "ReplyLayout.h"

#include <array>
#include <optional>
#include <string_view>

namespace statdesk::server {

enum class Dataset { PlayersRegular, PlayersPlayoffs, TeamsRegular, TeamsPlayoffs };

inline constexpr std::array<Dataset, 4> kDatasets = {Dataset::PlayersRegular, Dataset::PlayersPlayoffs,
                                                     Dataset::TeamsRegular, Dataset::TeamsPlayoffs};

Family familyOf(Dataset dataset);
std::string_view tableName(Dataset dataset);
std::string_view endpointPath(Dataset dataset);
size_t indexOf(Dataset dataset);

} // namespace statdesk::server
