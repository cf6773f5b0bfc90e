#include "AwardLists.h"

#include "DatasetRows.h"
#include "DocumentFile.h"
#include "TextColumns.h"

#include <set>

namespace statdesk::shipped {
namespace {

const char* const kTeamNote = "TM: the player's team that season (2TM, 3TM: played for two or three teams).";

// ".413" from the source's "0.413".
std::string shareText(const std::string& share) {
    const auto value = dataset::sourceNumber(share);
    if (!value)
        return {};
    const std::string text = decimal(*value, 3);
    return text.starts_with("0.") ? text.substr(1) : text;
}

void writeTeams(const std::vector<TeamSelection>& all, const std::set<std::string>& types,
                const PlayerTeams& teams, const std::string& title, const std::string& about,
                const std::filesystem::path& file) {
    DocumentFile doc(title);
    doc.add(about);
    doc.add(kTeamNote);
    doc.blank();
    doc.add(left("SEASON", 9) + left("LG", 5) + left("TEAM", 6) + left("POS", 5) +
            left("PLAYER", kNameWidth + 2) + "TM");
    int lastSeason = -1;
    for (const auto& s : all) {
        if (!types.contains(s.type))
            continue;
        if (lastSeason != -1 && s.seasonStart != lastSeason)
            doc.blank();
        lastSeason = s.seasonStart;
        doc.add(left(seasonLabel(s.seasonStart), 9) + left(s.league, 5) + left(s.number, 6) +
                left(s.position, 5) + left(playerName(s.player, kNameWidth), kNameWidth + 2) +
                teams.teamOf(s.seasonStart, s.playerId, s.player));
    }
    doc.save(file);
}

void writeAward(const std::vector<AwardWinner>& all, const std::set<std::string>& awards,
                const PlayerTeams& teams, const std::string& title, const std::string& about,
                const std::filesystem::path& file) {
    DocumentFile doc(title);
    doc.add(about);
    doc.add(kTeamNote);
    doc.add("SHARE: the winner's share of the voting points, where the source lists the vote.");
    doc.blank();
    doc.add(left("SEASON", 9) + left("LG", 5) + left("PLAYER", kNameWidth + 2) + left("TM", 5) + "SHARE");
    for (const auto& a : all) {
        if (!awards.contains(a.award))
            continue;
        doc.add(left(seasonLabel(a.seasonStart), 9) + left(a.league, 5) +
                left(playerName(a.player, kNameWidth), kNameWidth + 2) +
                left(teams.teamOf(a.seasonStart, a.playerId, a.player), 5) + shareText(a.share));
    }
    doc.save(file);
}

void writeAllStars(const std::vector<AllStarSelection>& all, const PlayerTeams& teams,
                   const std::filesystem::path& file) {
    DocumentFile doc("ALL-STAR SELECTIONS");
    doc.add("Players selected to each All-Star Game, by season and side: the selections,");
    doc.add("not the games' results. REPLACED: selected, but replaced on the roster.");
    doc.add(kTeamNote);
    doc.blank();
    doc.add(left("SEASON", 9) + left("LG", 5) + left("SIDE", 14) + left("PLAYER", kNameWidth + 2) +
            left("TM", 5) + "NOTE");
    int lastSeason = -1;
    for (const auto& s : all) {
        if (lastSeason != -1 && s.seasonStart != lastSeason)
            doc.blank();
        lastSeason = s.seasonStart;
        doc.add(left(seasonLabel(s.seasonStart), 9) + left(s.league, 5) + left(s.side, 14) +
                left(playerName(s.player, kNameWidth), kNameWidth + 2) +
                left(teams.teamOf(s.seasonStart, s.playerId, s.player), 5) + (s.replaced ? "REPLACED" : ""));
    }
    doc.save(file);
}

} // namespace

void writeAwardLists(const std::filesystem::path& raw, const std::filesystem::path& out,
                     const PlayerTeams& teams, const std::vector<AwardWinner>& winners) {
    const auto selections = readEndOfSeasonTeams(raw);
    writeTeams(selections, {"All-NBA", "All-ABA", "All-BAA"}, teams, "ALL-LEAGUE TEAMS",
               "All-NBA, All-ABA and All-BAA first, second and third teams.", out / "allpro.awd");
    writeTeams(selections, {"All-Defense"}, teams, "ALL-DEFENSIVE TEAMS",
               "NBA and ABA all-defensive first and second teams.", out / "alldef.awd");
    writeTeams(selections, {"All-Rookie"}, teams, "ALL-ROOKIE TEAMS",
               "NBA and ABA all-rookie first and second teams.", out / "allrooky.awd");

    writeAward(winners, {"nba mvp", "aba mvp"}, teams, "MOST VALUABLE PLAYERS",
               "The most valuable player of the NBA and of the ABA regular season.", out / "mvp.awd");
    writeAward(winners, {"nba roy", "aba roy", "baa roy"}, teams, "ROOKIE OF THE YEAR",
               "The rookie of the year of the NBA, the ABA and the BAA.", out / "rkofyr.awd");
    writeAward(winners, {"nba dpoy"}, teams, "DEFENSIVE PLAYER OF THE YEAR",
               "The NBA defensive player of the year.", out / "defplyr.awd");
    writeAward(winners, {"nba smoy"}, teams, "SIXTH MAN OF THE YEAR",
               "The NBA sixth man of the year: the best player coming off the bench.", out / "sixth.awd");

    writeAllStars(readAllStars(raw), teams, out / "allstar.awd");
}

} // namespace statdesk::shipped
