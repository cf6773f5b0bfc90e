#include "ReferenceDocuments.h"

#include "AwardLists.h"
#include "CoachRecords.h"
#include "Directory.h"
#include "FixedTexts.h"
#include "Leaders.h"
#include "PlayoffResults.h"
#include "SeasonSummaries.h"
#include "TeamCodes.h"

#include <set>
#include <stdexcept>

namespace statdesk::shipped {
namespace fs = std::filesystem;
namespace {

constexpr int kFixedFiles = 12; // eight award lists, coaches, teams, instructions, order form

void removeStale(const fs::path& out, const std::set<std::string>& written) {
    std::vector<fs::path> stale;
    for (const auto& entry : fs::directory_iterator(out)) {
        const std::string ext = entry.path().extension().string();
        if ((ext == ".SUM" || ext == ".PL1") && !written.contains(entry.path().filename().string()))
            stale.push_back(entry.path());
    }
    for (const auto& file : stale)
        fs::remove(file);
}

} // namespace

int writeReferenceDocuments(const fs::path& raw, const fs::path& out) {
    if (!fs::is_directory(raw))
        throw std::runtime_error("raw data folder not found: " + raw.string());
    fs::create_directories(out);

    const dataset::Directory directory(raw);
    const TeamSeasons teams(raw);
    const PlayerTeams playerTeams(raw);
    const Leaders leaders(raw, teams);
    const auto series = readPlayoffSeries(raw, directory, teams);
    const auto awards = readAwardWinners(raw);

    writeAwardLists(raw, out, playerTeams, awards);
    writeCoachRecords(raw, out);
    writeTeamCodes(teams, out);
    writeFixedTexts(out);
    const auto summaries =
        writeSeasonSummaries({teams, directory, leaders, series, awards, playerTeams}, out);
    const auto playoffs = writePlayoffResults(series, teams, out);

    std::set<std::string> written(summaries.begin(), summaries.end());
    written.insert(playoffs.begin(), playoffs.end());
    removeStale(out, written);
    return kFixedFiles + static_cast<int>(written.size());
}

} // namespace statdesk::shipped
