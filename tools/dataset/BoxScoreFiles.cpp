#include "BoxScoreFiles.h"

#include "DatasetRows.h"
#include "RawFiles.h"

#include <algorithm>
#include <vector>

namespace statdesk::dataset {
namespace fs = std::filesystem;

void forEachBoxScoreFile(const fs::path& raw, const std::function<void(const BoxScoreFile&)>& visit) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(raw::need(raw, raw::kBoxScoreFolder))) {
        if (entry.path().extension() == ".csv")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        // "NBA_1949-1950_basic.csv": league and starting year.
        const std::string name = file.filename().string();
        const auto lines = CsvTable::read(file);
        visit({name.substr(0, 3), std::stoi(name.substr(4, 4)), lines});
    }
}

std::optional<double> minutesPlayed(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos)
        return sourceNumber(text);
    const auto minutes = sourceNumber(text.substr(0, colon));
    const auto seconds = sourceNumber(text.substr(colon + 1));
    if (!minutes || !seconds)
        return std::nullopt;
    return *minutes + *seconds / 60;
}

std::map<std::string, std::string> readPlayoffSeries(const fs::path& raw) {
    const auto games = CsvTable::read(raw::need(raw, raw::kPlayoffGames));
    const int reference = games.column("Game Reference"), series = games.column("Series");
    std::map<std::string, std::string> seriesOf;
    for (const auto& row : games.rows())
        seriesOf.emplace(row[reference], row[series]);
    return seriesOf;
}

} // namespace statdesk::dataset
