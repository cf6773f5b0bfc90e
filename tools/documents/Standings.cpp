#include "Standings.h"

#include "TextColumns.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

namespace statdesk::shipped {
namespace {

// The sources name divisions by code; this order puts each conference's divisions together.
const std::vector<std::pair<std::string, std::string>> kDivisions = {
    {"ED", "Eastern Division"},   {"AT", "Atlantic Division"}, {"CD", "Central Division"},
    {"SE", "Southeast Division"}, {"WD", "Western Division"},  {"MW", "Midwest Division"},
    {"NW", "Northwest Division"}, {"PC", "Pacific Division"},  {"SW", "Southwest Division"}};

size_t divisionOrder(const std::string& code) {
    for (size_t i = 0; i < kDivisions.size(); ++i) {
        if (kDivisions[i].first == code)
            return i;
    }
    return kDivisions.size(); // unknown codes, then teams without one
}

std::string divisionName(const std::string& code) {
    if (code.empty())
        return "Not placed in a division";
    const size_t i = divisionOrder(code);
    return i < kDivisions.size() ? kDivisions[i].second : "Division " + code;
}

bool ranksAbove(const TeamSeason* a, const TeamSeason* b) {
    const long left = static_cast<long>(a->wins) * (b->wins + b->losses);
    const long right = static_cast<long>(b->wins) * (a->wins + a->losses);
    if (left != right)
        return left > right;
    if (a->wins != b->wins)
        return a->wins > b->wins;
    return a->name < b->name;
}

std::string gamesBehind(const TeamSeason& leader, const TeamSeason& team) {
    const int halfGames = (leader.wins - team.wins) + (team.losses - leader.losses);
    if (halfGames == 0)
        return "-";
    return decimal(halfGames / 2.0, 1);
}

} // namespace

void addStandings(DocumentFile& doc, int seasonStart, const std::string& league, const TeamSeasons& teams,
                  const dataset::Directory& directory) {
    std::map<std::pair<size_t, std::string>, std::vector<const TeamSeason*>> divisions;
    std::vector<const TeamSeason*> unrecorded;
    for (const auto& t : teams.all()) {
        if (t.seasonStart != seasonStart || t.league != league)
            continue;
        if (!t.hasRecord) {
            unrecorded.push_back(&t);
            continue;
        }
        const std::string code = directory.teamSeason(seasonStart, t.code).division;
        const size_t order = code.empty() ? kDivisions.size() + 1 : divisionOrder(code);
        divisions[{order, code}].push_back(&t);
    }
    size_t width = 24;
    for (const auto& [key, list] : divisions) {
        for (const auto* t : list)
            width = std::max(width, t->name.size());
    }

    doc.add(league + " STANDINGS (* reached the playoffs)");
    const bool noDivisions = divisions.size() == 1 && divisions.begin()->first.second.empty();
    for (auto& [key, list] : divisions) {
        std::sort(list.begin(), list.end(), ranksAbove);
        doc.blank();
        std::string heading = noDivisions ? "League" : divisionName(key.second);
        std::transform(heading.begin(), heading.end(), heading.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        doc.add(left(heading, width + 8) + right("W", 4) + right("L", 5) + right("PCT", 7) + right("GB", 7));
        for (const auto* t : list) {
            doc.add(std::string(t->playoffs ? "* " : "  ") + left(t->name, width + 1) + left(t->code, 5) +
                    right(std::to_string(t->wins), 4) + right(std::to_string(t->losses), 5) +
                    right(winningPercentage(t->wins, t->losses), 7) +
                    right(gamesBehind(*list.front(), *t), 7));
        }
    }
    for (const auto* t : unrecorded) {
        doc.blank();
        doc.add("No won-lost record in the data: " + t->name + " (" + t->code + ").");
    }
}

} // namespace statdesk::shipped
