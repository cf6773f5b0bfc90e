#include "Dataset.h"

namespace statdesk::server {

Family familyOf(Dataset dataset) {
    return dataset == Dataset::PlayersRegular || dataset == Dataset::PlayersPlayoffs ? Family::Players
                                                                                     : Family::Teams;
}

std::string_view tableName(Dataset dataset) {
    static constexpr std::array<std::string_view, 4> kNames = {"players_regular", "players_playoffs",
                                                               "teams_regular", "teams_playoffs"};
    return kNames[indexOf(dataset)];
}

std::string_view endpointPath(Dataset dataset) {
    static constexpr std::array<std::string_view, 4> kPaths = {
        "/cgi-bin/getbplayer-1.exe", "/cgi-bin/getbplayer2-1.exe", "/cgi-bin/getbteam-1.exe",
        "/cgi-bin/getbteam2-1.exe"};
    return kPaths[indexOf(dataset)];
}

size_t indexOf(Dataset dataset) {
    return static_cast<size_t>(dataset);
}

} // namespace statdesk::server
