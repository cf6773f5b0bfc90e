#include "TeamCodes.h"

#include "DocumentFile.h"
#include "TextColumns.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

namespace statdesk::shipped {

void writeTeamCodes(const TeamSeasons& teams, const std::filesystem::path& out) {
    std::map<std::tuple<std::string, std::string, std::string>, std::set<int>> seasons; // code, name, league
    size_t width = 24;
    for (const auto& t : teams.all()) {
        seasons[{t.code, t.name, t.league}].insert(t.seasonStart);
        width = std::max(width, t.name.size());
    }
    // Listed by code, then by the first season of each name under it.
    std::vector<std::pair<const std::tuple<std::string, std::string, std::string>*, const std::set<int>*>>
        order;
    for (const auto& [key, years] : seasons)
        order.emplace_back(&key, &years);
    std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(*a.first), *a.second->begin()) <
               std::tie(std::get<0>(*b.first), *b.second->begin());
    });

    DocumentFile doc("TEAMS AND THEIR THREE-LETTER CODES");
    doc.add("Every team name of the season files with its code, league and seasons.");
    doc.add("A season runs from autumn to spring: 1989-90 is the season the tables show as 8990.");
    doc.blank();
    doc.add(left("CODE", 6) + left("TEAM", width + 2) + left("LG", 5) + "SEASONS");
    for (const auto& [key, years] : order) {
        // Runs of consecutive seasons, "1946-47 to 1948-49, 1950-51".
        std::string spans;
        for (auto it = years->begin(); it != years->end();) {
            auto end = it;
            while (std::next(end) != years->end() && *std::next(end) == *end + 1)
                ++end;
            spans += (spans.empty() ? "" : ", ") + seasonLabel(*it) +
                     (end == it ? "" : " to " + seasonLabel(*end));
            it = std::next(end);
        }
        doc.add(left(std::get<0>(*key), 6) + left(std::get<1>(*key), width + 2) + left(std::get<2>(*key), 5) +
                spans);
    }
    doc.save(out / "teams.awd");
}

} // namespace statdesk::shipped
