#include "Directory.h"

#include "CsvTable.h"
#include "DatasetRows.h"
#include "RawFiles.h"
#include "Seasons.h"

namespace statdesk::dataset {
namespace fs = std::filesystem;
namespace {

// Codes that changed after the last season whose divisions a source lists; the divisions stayed.
const std::map<std::string, std::string> kFormerCode = {{"BRK", "NJN"}, {"NOP", "NOH"}, {"CHO", "CHA"}};
constexpr int kLastListedDivisions = 2011;

std::optional<int> wholeNumber(const std::string& text) {
    const auto v = sourceNumber(text);
    return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

// "35-6" into 35 and 6.
std::optional<std::pair<int, int>> record(const std::string& text) {
    const auto dash = text.find('-');
    if (dash == std::string::npos)
        return std::nullopt;
    const auto w = wholeNumber(text.substr(0, dash));
    const auto l = wholeNumber(text.substr(dash + 1));
    if (!w || !l)
        return std::nullopt;
    return std::pair(*w, *l);
}

std::string withoutMark(std::string name) {
    while (!name.empty() && (name.back() == '*' || name.back() == ' '))
        name.pop_back();
    return name;
}

} // namespace

Directory::Directory(const fs::path& raw) {
    readTeams(raw);
    readSeriesTeams(raw::need(raw, raw::kOssTeams), true);
    readSeriesTeams(raw::need(raw, raw::kOssTeamsLate), false);
    readStandings(raw);
    readPlayers(raw);
}

void Directory::readTeams(const fs::path& raw) {
    const auto summaries = CsvTable::read(raw::need(raw, raw::kTeamSummaries));
    const int season = summaries.column("season"), team = summaries.column("team");
    const int code = summaries.column("abbreviation");
    for (const auto& row : summaries.rows()) {
        if (row[code].empty() || row[code] == "NA")
            continue;
        const int start = startFromEndYear(std::stoi(row[season]));
        m_nameOfCode[{start, row[code]}] = row[team];
        m_teamsOfSeason[start].emplace_back(row[code], row[team]);
        m_codeOfName[{start, row[team]}] = row[code];
    }
    const auto dump = CsvTable::read(raw::need(raw, raw::kDumpTeams));
    const int dumpCode = dump.column("team"), location = dump.column("location"), name = dump.column("name");
    for (const auto& row : dump.rows()) {
        m_dumpNames[row[dumpCode]] = row[location] + " " + row[name];
        m_dumpLocations[row[dumpCode]] = row[location];
        m_dumpNicknames[row[dumpCode]] = row[name];
    }
}

void Directory::readSeriesTeams(const fs::path& file, bool keepHomeAway) {
    const auto teams = CsvTable::read(file);
    const int year = teams.column("year"), tmId = teams.column("tmID"), bbId = teams.column("bbtmID");
    const int division = teams.column("divID"), name = teams.column("name");
    const int hw = teams.column("homeWon"), hl = teams.column("homeLost"), aw = teams.column("awayWon"),
              al = teams.column("awayLost"), nw = teams.column("neutWon"), nl = teams.column("neutLoss");
    for (const auto& row : teams.rows()) {
        const int start = std::stoi(row[year]);
        // The full name is the surest link to the season files' codes; the file's own link code is not always
        // right.
        const std::string code =
            teamCode(start, row[name]).value_or(row[bbId].empty() ? row[tmId] : row[bbId]);
        m_codeOfTmId[{start, row[tmId]}] = code;
        auto& info = m_teamSeasons[{start, code}];
        if (!row[division].empty())
            info.division = row[division];
        if (keepHomeAway) {
            info.homeWins = wholeNumber(row[hw]);
            info.homeLosses = wholeNumber(row[hl]);
            info.awayWins = wholeNumber(row[aw]);
            info.awayLosses = wholeNumber(row[al]);
            info.neutralWins = wholeNumber(row[nw]);
            info.neutralLosses = wholeNumber(row[nl]);
        }
    }
}

void Directory::readStandings(const fs::path& raw) {
    for (const auto& entry : fs::directory_iterator(raw::need(raw, raw::kStandingsFolder))) {
        const fs::path file = entry.path() / "regular_season" / "standings.csv";
        if (!fs::exists(file))
            continue;
        const int start = startFromEndYear(std::stoi(entry.path().filename().string()));
        const auto standings = CsvTable::read(file, 1);
        const int team = standings.column("Team"), home = standings.column("Home"),
                  road = standings.column("Road");
        for (const auto& row : standings.rows()) {
            const auto code = teamCode(start, withoutMark(row[team]));
            const auto h = record(row[home]), r = record(row[road]);
            if (!code || !h || !r)
                continue;
            auto& info = m_teamSeasons[{start, *code}];
            if (info.homeWins)
                continue; // the series file's split includes neutral courts
            info.homeWins = h->first;
            info.homeLosses = h->second;
            info.awayWins = r->first;
            info.awayLosses = r->second;
        }
    }
}

void Directory::readPlayers(const fs::path& raw) {
    const auto career = CsvTable::read(raw::need(raw, raw::kCareerInfo));
    const int id = career.column("player_id"), inches = career.column("ht_in_in");
    for (const auto& row : career.rows()) {
        if (const auto h = wholeNumber(row[inches]); h && *h > 0)
            m_inchesOfId[row[id]] = *h;
    }
    const auto seasons = CsvTable::read(raw::need(raw, raw::kSeasonInfo));
    const int season = seasons.column("season"), player = seasons.column("player"),
              playerId = seasons.column("player_id"), team = seasons.column("team");
    for (const auto& row : seasons.rows()) {
        const int start = startFromEndYear(std::stoi(row[season]));
        m_idOfSeasonNameTeam[{start, row[player], row[team]}] = row[playerId];
        auto [it, fresh] = m_idOfSeasonName.try_emplace({start, row[player]}, row[playerId]);
        if (!fresh && it->second != row[playerId])
            it->second.clear(); // two players of that name in one season: only the team tells them apart
    }
}

std::optional<std::string> Directory::teamName(int seasonStart, const std::string& code) const {
    const auto it = m_nameOfCode.find({seasonStart, code});
    return it == m_nameOfCode.end() ? std::nullopt : std::optional(it->second);
}

std::optional<std::string> Directory::teamCode(int seasonStart, const std::string& name) const {
    const auto it = m_codeOfName.find({seasonStart, name});
    return it == m_codeOfName.end() ? std::nullopt : std::optional(it->second);
}

std::pair<std::string, std::string> Directory::dumpTeam(int seasonStart, const std::string& dumpCode) const {
    const auto named = m_dumpNames.find(dumpCode);
    if (named != m_dumpNames.end()) {
        if (const auto code = teamCode(seasonStart, named->second))
            return {*code, named->second};
    }
    if (const auto name = teamName(seasonStart, dumpCode))
        return {dumpCode, *name};
    // The dump names a franchise by one name for all its seasons; its city or nickname still tells the team.
    const auto season = m_teamsOfSeason.find(seasonStart);
    for (const auto* part : {&m_dumpLocations, &m_dumpNicknames}) {
        const auto word = part->find(dumpCode);
        if (season == m_teamsOfSeason.end() || word == part->end() || word->second.empty())
            continue;
        std::vector<std::pair<std::string, std::string>> matches;
        for (const auto& team : season->second) {
            if (team.second.find(word->second) != std::string::npos)
                matches.push_back(team);
        }
        if (matches.size() == 1)
            return matches.front();
    }
    return {dumpCode, named == m_dumpNames.end() ? dumpCode : named->second};
}

std::string Directory::seriesTeam(int seasonStart, const std::string& tmId) const {
    const auto it = m_codeOfTmId.find({seasonStart, tmId});
    return it == m_codeOfTmId.end() ? tmId : it->second;
}

TeamSeasonInfo Directory::teamSeason(int seasonStart, const std::string& code) const {
    TeamSeasonInfo info;
    if (const auto it = m_teamSeasons.find({seasonStart, code}); it != m_teamSeasons.end())
        info = it->second;
    if (info.division.empty() && seasonStart > kLastListedDivisions) {
        const auto former = kFormerCode.find(code);
        const std::string listed = former == kFormerCode.end() ? code : former->second;
        if (const auto it = m_teamSeasons.find({kLastListedDivisions, listed}); it != m_teamSeasons.end())
            info.division = it->second.division;
    }
    return info;
}

std::optional<std::string> Directory::heightOfId(const std::string& playerId) const {
    const auto it = m_inchesOfId.find(playerId);
    return it == m_inchesOfId.end() ? std::nullopt : std::optional(heightText(it->second));
}

std::optional<std::string> Directory::heightOf(int seasonStart, const std::string& name,
                                               const std::string& team) const {
    if (const auto it = m_idOfSeasonNameTeam.find({seasonStart, name, team});
        it != m_idOfSeasonNameTeam.end())
        return heightOfId(it->second);
    if (const auto it = m_idOfSeasonName.find({seasonStart, name}); it != m_idOfSeasonName.end())
        return it->second.empty() ? std::nullopt : heightOfId(it->second);
    return std::nullopt;
}

} // namespace statdesk::dataset
