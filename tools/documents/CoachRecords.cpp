#include "CoachRecords.h"

#include "CsvTable.h"
#include "DatasetRows.h"
#include "DocumentFile.h"
#include "RawFiles.h"
#include "SourceFiles.h"
#include "TextColumns.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace statdesk::shipped {
namespace {

// The coach file starts with 1949-50; the old dump holds the BAA seasons before it.
constexpr int kFirstCoachFileSeason = 1949;

struct Record {
    std::set<int> seasons;
    int wins = 0, losses = 0, playoffWins = 0, playoffLosses = 0;
};

int number(const std::string& text) {
    return static_cast<int>(dataset::sourceNumber(text).value_or(0));
}

} // namespace

void writeCoachRecords(const std::filesystem::path& raw, const std::filesystem::path& out) {
    std::map<std::string, Record> coaches;
    // Season, wins and losses of each of the coach file's rows, to find the dump's coaches in it.
    std::map<std::tuple<int, int, int>, std::set<std::string>> namesOfRecord;

    const auto file = dataset::CsvTable::read(dataset::raw::need(raw, raw::kCoaches));
    const int name = file.column("name"), season = file.column("season"), w = file.column("wins"),
              l = file.column("losses"), pw = file.column("po_wins"), pl = file.column("po_losses");
    for (const auto& r : file.rows()) {
        const int start = std::stoi(r[season].substr(0, 4));
        auto& c = coaches[r[name]];
        c.seasons.insert(start);
        c.wins += number(r[w]);
        c.losses += number(r[l]);
        c.playoffWins += number(r[pw]);
        c.playoffLosses += number(r[pl]);
        namesOfRecord[{start, number(r[w]), number(r[l])}].insert(r[name]);
    }

    // The dump spells some first names differently ("Eddie" for "Edward"): a dump coach takes the name the
    // coach file gives to the seasons where both list the same team record.
    const auto dump = dataset::CsvTable::read(dataset::raw::need(raw, raw::kDumpCoaches));
    const int id = dump.column("coachid"), year = dump.column("year"), first = dump.column("firstname"),
              last = dump.column("lastname"), dw = dump.column("season_win"), dl = dump.column("season_loss"),
              dpw = dump.column("playoff_win"), dpl = dump.column("playoff_loss");
    std::map<std::string, std::map<std::string, int>> votes;
    for (const auto& r : dump.rows()) {
        const auto names = namesOfRecord.find({std::stoi(r[year]), number(r[dw]), number(r[dl])});
        if (names != namesOfRecord.end() && names->second.size() == 1)
            ++votes[r[id]][*names->second.begin()];
    }
    for (const auto& r : dump.rows()) {
        const int start = std::stoi(r[year]);
        if (start >= kFirstCoachFileSeason)
            continue;
        std::string coach = r[first] + " " + r[last];
        if (const auto v = votes.find(r[id]); v != votes.end())
            coach = std::max_element(v->second.begin(), v->second.end(), [](const auto& a, const auto& b) {
                        return a.second < b.second;
                    })->first;
        auto& c = coaches[coach];
        c.seasons.insert(start);
        c.wins += number(r[dw]);
        c.losses += number(r[dl]);
        c.playoffWins += number(r[dpw]);
        c.playoffLosses += number(r[dpl]);
    }

    std::vector<std::pair<std::string, const Record*>> order;
    int firstSeason = 9999, lastSeason = 0;
    for (const auto& [coach, record] : coaches) {
        order.emplace_back(coach, &record);
        firstSeason = std::min(firstSeason, *record.seasons.begin());
        lastSeason = std::max(lastSeason, *record.seasons.rbegin());
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.second->wins > b.second->wins; });

    DocumentFile doc("COACHES' WON-LOST RECORDS");
    doc.add("Head coaches of the BAA and the NBA, " + seasonLabel(firstSeason) + " to " +
            seasonLabel(lastSeason) + ".");
    doc.add("Most regular-season wins first.");
    doc.add("ABA coaches and seasons after " + seasonLabel(lastSeason) + " are not in the data.");
    doc.blank();
    doc.add(left("", kNameWidth + 2) + left("", 17) + left("", 5) + left("REGULAR SEASON", 20) + "PLAYOFFS");
    doc.add(left("COACH", kNameWidth + 2) + left("FIRST    LAST", 17) + right("YRS", 3) + right("W", 7) +
            right("L", 6) + right("PCT", 7) + right("W", 7) + right("L", 5) + right("PCT", 7));
    for (const auto& [coach, r] : order) {
        doc.add(left(playerName(coach, kNameWidth), kNameWidth + 2) +
                left(seasonLabel(*r->seasons.begin()), 9) + left(seasonLabel(*r->seasons.rbegin()), 8) +
                right(std::to_string(r->seasons.size()), 3) + right(std::to_string(r->wins), 7) +
                right(std::to_string(r->losses), 6) + right(winningPercentage(r->wins, r->losses), 7) +
                right(std::to_string(r->playoffWins), 7) + right(std::to_string(r->playoffLosses), 5) +
                right(winningPercentage(r->playoffWins, r->playoffLosses), 7));
    }
    doc.save(out / "coachrc.awd");
}

} // namespace statdesk::shipped
