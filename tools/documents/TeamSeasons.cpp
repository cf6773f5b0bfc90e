#include "TeamSeasons.h"

#include "CsvTable.h"
#include "DatasetRows.h"
#include "RawFiles.h"
#include "Seasons.h"
#include "TextFit.h"

namespace statdesk::shipped {

TeamSeasons::TeamSeasons(const std::filesystem::path& raw) {
    const auto table = dataset::CsvTable::read(dataset::raw::need(raw, dataset::raw::kTeamSummaries));
    const int season = table.column("season"), league = table.column("lg"), team = table.column("team"),
              code = table.column("abbreviation"), playoffs = table.column("playoffs"), w = table.column("w"),
              l = table.column("l");
    for (const auto& r : table.rows()) {
        const auto wins = dataset::sourceNumber(r[w]), losses = dataset::sourceNumber(r[l]);
        if (r[code].empty() || r[code] == "NA")
            continue;
        const int start = dataset::startFromEndYear(std::stoi(r[season]));
        m_index[{start, r[code]}] = m_all.size();
        m_all.push_back({start, r[code], dataset::toWindows1252(r[team]), r[league], wins && losses,
                         static_cast<int>(wins.value_or(0)), static_cast<int>(losses.value_or(0)),
                         r[playoffs] == "TRUE"});
    }
}

const TeamSeason* TeamSeasons::find(int seasonStart, const std::string& code) const {
    const auto it = m_index.find({seasonStart, code});
    return it == m_index.end() ? nullptr : &m_all[it->second];
}

std::string TeamSeasons::nameOf(int seasonStart, const std::string& code) const {
    const auto* team = find(seasonStart, code);
    return team ? team->name : code;
}

} // namespace statdesk::shipped
