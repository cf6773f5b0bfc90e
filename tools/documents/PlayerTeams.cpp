#include "PlayerTeams.h"

#include "CsvTable.h"
#include "RawFiles.h"
#include "Seasons.h"

namespace statdesk::shipped {

PlayerTeams::PlayerTeams(const std::filesystem::path& raw) {
    const auto info = dataset::CsvTable::read(dataset::raw::need(raw, dataset::raw::kSeasonInfo));
    const int season = info.column("season"), id = info.column("player_id"), team = info.column("team"),
              name = info.column("player");
    for (const auto& row : info.rows()) {
        const std::pair key{dataset::startFromEndYear(std::stoi(row[season])), row[id]};
        auto [it, fresh] = m_team.try_emplace(key, row[team]);
        // A traded player has a row per team and one "nTM" row for the season: that one names him.
        if (!fresh && row[team].ends_with("TM"))
            it->second = row[team];
        auto [named, first] = m_idOfName.try_emplace({key.first, row[name]}, row[id]);
        if (!first && named->second != row[id])
            named->second.clear();
    }
}

std::string PlayerTeams::teamOf(int seasonStart, const std::string& playerId, const std::string& name) const {
    if (const auto it = m_team.find({seasonStart, playerId}); it != m_team.end())
        return it->second;
    const auto named = m_idOfName.find({seasonStart, name});
    if (named == m_idOfName.end() || named->second.empty())
        return {};
    return m_team.at({seasonStart, named->second});
}

} // namespace statdesk::shipped
