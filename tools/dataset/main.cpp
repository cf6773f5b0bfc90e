#include "Builders.h"
#include "DatabaseWriter.h"
#include "Fingerprint.h"
#include "GameRecaps.h"
#include "RawFiles.h"
#include "ToolArguments.h"

#include <chrono>
#include <cstring>
#include <exception>
#include <iostream>

namespace fs = std::filesystem;
using namespace statdesk::dataset;

namespace {

const char* const kUsage =
    "Usage: statdesk-dataset --raw DIR --out FILE\n"
    "Builds the statistics database FILE (SQLite) from the raw basketball data in DIR.\n"
    "Nothing is written when FILE was built from the same inputs by the same builder.\n";

class Progress {
  public:
    void step(const std::string& what) {
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
        std::cerr << "statdesk-dataset: [" << static_cast<int>(seconds * 10) / 10.0 << "s] " << what
                  << std::endl;
    }

  private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

int build(const fs::path& rawDir, const fs::path& out, const fs::path& self) {
    if (!fs::is_directory(rawDir))
        throw std::runtime_error("raw data folder not found: " + rawDir.string());
    auto inputs = raw::inputFiles(rawDir);
    inputs.push_back(self); // a changed builder rebuilds too
    const std::string print = fingerprint(inputs);
    if (fs::exists(out) && readMeta(out, "input_fingerprint") == print) {
        fs::last_write_time(out,
                            fs::file_time_type::clock::now()); // so the build sees it newer than its inputs
        std::cerr << "statdesk-dataset: " << out.string() << " is up to date" << std::endl;
        return 0;
    }

    Progress progress;
    progress.step("reading team and player directories");
    const Directory directory(rawDir);
    progress.step("players, regular season");
    const auto playersRegular = buildPlayersRegular(rawDir, directory);
    progress.step("teams, regular season");
    const auto teamsRegular = buildTeamsRegular(rawDir, directory);
    progress.step("box scores: playoff totals and game recaps");
    const auto playoffSeries = readPlayoffSeries(rawDir);
    PlayoffBoxScores boxScores(playoffSeries);
    GameRecaps recaps(directory, playoffSeries);
    forEachBoxScoreFile(rawDir, [&](const BoxScoreFile& file) {
        boxScores.add(file);
        recaps.add(file);
    });
    boxScores.finish();
    recaps.addGameLogs(rawDir);
    const auto gameRecaps = recaps.finish();
    progress.step("players, playoffs");
    const auto playersPlayoffs = buildPlayersPlayoffs(rawDir, directory, boxScores);
    progress.step("teams, playoffs");
    const auto teamsPlayoffs =
        buildTeamsPlayoffs(rawDir, directory, boxScores, playersPlayoffs, teamsRegular);
    progress.step("writing " + out.string());
    writeDatabase(out, {&playersRegular, &playersPlayoffs, &teamsRegular, &teamsPlayoffs},
                  {{"input_fingerprint", print}, {"text_encoding", "windows-1252"}}, gameRecaps);
    progress.step("done: " + std::to_string(playersRegular.rows.size()) + " + " +
                  std::to_string(playersPlayoffs.rows.size()) + " player rows, " +
                  std::to_string(teamsRegular.rows.size()) + " + " +
                  std::to_string(teamsPlayoffs.rows.size()) + " team rows, " +
                  std::to_string(gameRecaps.size()) + " game recaps");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    statdesk::RawAndOut paths;
    if (const std::optional<int> exitCode =
            statdesk::readRawAndOut(argc, argv, "statdesk-dataset", kUsage, paths))
        return *exitCode;
    const fs::path& rawDir = paths.raw;
    const fs::path& out = paths.out;
    try {
        return build(rawDir, out, fs::canonical("/proc/self/exe"));
    } catch (const std::exception& e) {
        std::cerr << "statdesk-dataset: error: " << e.what() << std::endl;
        return 1;
    }
}
