#include "PlayoffResults.h"

#include "DocumentFile.h"
#include "Seasons.h"
#include "TextColumns.h"

#include <algorithm>
#include <cctype>

namespace statdesk::shipped {
namespace {

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

void writeOne(const std::vector<const Series*>& rounds, const TeamSeasons& teams,
              const std::filesystem::path& file) {
    const Series& first = *rounds.front();
    const int start = first.seasonStart;
    size_t width = 20;
    for (const auto* s : rounds)
        width =
            std::max({width, teams.nameOf(start, s->winner).size(), teams.nameOf(start, s->loser).size()});
    auto team = [&](const std::string& code) {
        return left(code.empty() ? "" : teams.nameOf(start, code), width + 1) + left(code, 6);
    };

    DocumentFile doc("PLAYOFF RESULTS " + seasonLabel(start) + " " + first.league);
    doc.add("W-L: games won by the winner and by the loser of the series.");
    std::string lastRound;
    const Series* champion = nullptr;
    for (const auto* s : rounds) {
        if (s->round != lastRound) {
            doc.blank();
            doc.add(upper(s->round));
            if (s->loser.empty())
                doc.add("W-L: each team's record in the round robin.");
            doc.add(left(s->loser.empty() ? "TEAM" : "WINNER", width + 7) +
                    left(s->loser.empty() ? "" : "LOSER", width + 7) + "W-L");
            lastRound = s->round;
        }
        doc.add(team(s->winner) + team(s->loser) + std::to_string(s->wins) + "-" + std::to_string(s->losses));
        if (s->final)
            champion = s;
    }
    if (champion) {
        doc.blank();
        doc.add("CHAMPION: " + teams.nameOf(start, champion->winner) + " (" + champion->winner + ")");
    }
    doc.save(file, true);
}

} // namespace

std::vector<std::string> writePlayoffResults(const std::vector<Series>& series, const TeamSeasons& teams,
                                             const std::filesystem::path& out) {
    std::vector<std::string> written;
    for (size_t i = 0; i < series.size();) {
        std::vector<const Series*> group;
        size_t j = i;
        for (; j < series.size() && series[j].seasonStart == series[i].seasonStart &&
               series[j].league == series[i].league;
             ++j)
            group.push_back(&series[j]);
        const std::string name = dataset::seasonText(series[i].seasonStart) + series[i].league + ".PL1";
        writeOne(group, teams, out / name);
        written.push_back(name);
        i = j;
    }
    return written;
}

} // namespace statdesk::shipped
