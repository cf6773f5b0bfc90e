#include "RawFiles.h"

#include <algorithm>
#include <stdexcept>

namespace statdesk::dataset::raw {
namespace fs = std::filesystem;

fs::path need(const fs::path& rawDir, const std::string& relative) {
    const fs::path file = rawDir / relative;
    if (!fs::exists(file))
        throw std::runtime_error("missing input file: " + file.string());
    return file;
}

std::vector<fs::path> inputFiles(const fs::path& rawDir) {
    std::vector<fs::path> files;
    for (const auto* name : {&kPlayerTotals, &kTeamTotals, &kOpponentTotals, &kTeamSummaries, &kCareerInfo,
                             &kSeasonInfo, &kPlayoffPlayers, &kDumpTeams, &kOssTeams, &kOssTeamsLate,
                             &kSeries, &kPlayoffGames, &kPlayoffGameLogs})
        files.push_back(need(rawDir, *name));
    for (const auto& folder : {kBoxScoreFolder, kStandingsFolder}) {
        for (const auto& entry : fs::recursive_directory_iterator(need(rawDir, folder))) {
            if (entry.is_regular_file() && entry.path().extension() == ".csv")
                files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace statdesk::dataset::raw
