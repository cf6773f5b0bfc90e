// The service's query engine against plain SQL. The input decodes into a request inside the grammar
// (criteria, limits, sort codes, a page or a list); the engine answers it from a small database this
// target writes, and one SQL statement per question, written from the documented rules, asks the
// same database. Any difference in rows, order, totals, page or list text is a finding.
//
// The rules the SQL follows: groups combine with AND; inside a group, lines of one letter are
// alternatives and different letters must all hold, and the group's limits are alternatives; texts
// compare folded (the SQL function fold(): trailing blanks dropped, A-Z and the single-byte
// accented capitals lowered); a missing value (a sentinel number, NULL, an empty text or one
// starting with "-") passes no limit and sorts last in both directions; ties fall back to the
// default order, then the row key. Which field a column shows comes from the client's column
// catalogue, not from the service.
#include "ColumnCatalogue.h"
#include "Dataset.h"
#include "DerivedValues.h"
#include "FuzzSupport.h"
#include "QueryEngine.h"
#include "ReplyWriter.h"
#include "RequestError.h"
#include "RequestParser.h"
#include "TableLoader.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

using statdesk::Family;
using statdesk::FieldType;
using statdesk::fuzz::ByteReader;
namespace server = statdesk::server;
namespace stats = statdesk::stats;

// ---- The fixture --------------------------------------------------------------------------------

constexpr int kYear = 4; // the year text in both families

struct PlayerTexts {
    std::string name, league, code, teamName, year, height;
    int season;
};

struct TeamTexts {
    std::string code, name, league, division, year;
    int season;
};

// Case and blank variants, accented capitals (0xC9) and their small letters (0xE9), 0xD7 which is
// no letter, line ends inside texts, empty and "-" texts, a year text ("1999") that the year rule
// alone would read as 2019, and an empty year.
const std::vector<PlayerTexts> kPlayers = {
    {"Abdul Zed", "NBA", "BOS", "Boston Celtics", "7475", "6-9", 1974},
    {"Baker Al", "NBA", "BOS", "Boston Celtics", "9900", "-999", 1999},
    {"Baker Al", "NBA", "LAL", "Los Angeles Lakers", "0001", "6-5", 2000},
    {"Carter Vi", "ABA", "NYN", "New York Nets", "7475", "6-6", 1974},
    {"carter vi ", "NBA", "NJN", "New Jersey Nets", "7677", "6-6", 1976},
    {"Davis Ed", "NBA", "BOS", "boston celtics", "6263", "6-1", 1962},
    {"\xC9lan Jo", "NBA", "LAL", "Los Angeles Lakers", "0001", "7-0", 2000},
    {"\xE9lan jo", "BAA", "BOS", "Boston Celtics", "4647", "", 1946},
    {"Zane Mo", "NBA", "LAL", "Los Angeles Lakers", "2324", "6-8", 2023},
    {"Abbot Cy", "NBA", "NYK", "New York Knicks", "1999", "6-2", 1999},
    {"Ng Lu", "nba", "NYK", "New York Knicks", "2324", "6-0", 2023},
    {"Zane Mo", "NBA", "LAL", "Los Angeles Lakers", "2324", "6-8", 2023},
    {"Ole\rMiss", "NBA", "SEA", "Seattle\nSonics", "7879", "6-4", 1978},
    {"", "NBA", "", "", "", "-", 1980},
    {"-Dash", "NBA", "PHI", "Philadelphia", "8081", "6-3", 1980},
    {"\xD7mult", "NBA", "PHI", "Philadelphia 76ers ", "8081", "6-3", 1980},
};

const std::vector<TeamTexts> kTeams = {
    {"BOS", "Boston Celtics", "NBA", "East", "7475", 1974},
    {"LAL", "Los Angeles Lakers", "NBA", "West", "0001", 2000},
    {"NYN", "New York Nets", "ABA", "-1", "7475", 1974},
    {"BOS", "Boston Celtics", "NBA", "East", "9900", 1999},
    {"bos", "boston celtics ", "NBA", "east", "9900", 1999},
    {"\xC9TO", "\xC9toile", "BAA", "", "4647", 1946},
    {"SEA", "Seattle\rSonics", "NBA", "West", "1999", 1999},
    {"PHI", "", "NBA", "Atl", "", 1980},
};

// Season of each year text by the year rule alone (first two digits, before 30 in the 2000s),
// worked out by hand.
const std::map<std::string, int> kYearRule = {
    {"7475", 1974}, {"9900", 1999}, {"0001", 2000}, {"7677", 1976}, {"6263", 1962}, {"4647", 1946},
    {"2324", 2023}, {"1999", 2019}, {"7879", 1978}, {"8081", 1980}, {"", 2000},
};

struct FixtureTable {
    server::Dataset dataset;
    std::string name;
    Family family;
    std::vector<size_t> rows; // indices into kPlayers or kTeams
};

const std::vector<FixtureTable> kTables = {
    {server::Dataset::PlayersRegular,
     "players_regular",
     Family::Players,
     {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    {server::Dataset::PlayersPlayoffs, "players_playoffs", Family::Players, {0, 1, 2, 4, 6}},
    {server::Dataset::TeamsRegular, "teams_regular", Family::Teams, {0, 1, 2, 3, 4, 5, 6, 7}},
    {server::Dataset::TeamsPlayoffs, "teams_playoffs", Family::Teams, {}},
};

// Fields named by the select letters A (player or team name), B (team), C (year), D (league).
int fieldOfLetter(Family family, char letter) {
    const bool players = family == Family::Players;
    switch (letter) {
    case 'A':
        return players ? 0 : 1;
    case 'B':
        return players ? 3 : 1;
    case 'C':
        return kYear;
    default:
        return players ? 1 : 2;
    }
}

int nameFieldOf(Family family) {
    return family == Family::Players ? 0 : 1;
}

std::string fixtureText(Family family, size_t row, int field) {
    if (family == Family::Players) {
        const PlayerTexts& p = kPlayers[row];
        const std::string* texts[] = {&p.name, &p.league, &p.code, &p.teamName, &p.year, &p.height};
        if (field < 6)
            return *texts[field];
    } else {
        const TeamTexts& t = kTeams[row];
        const std::string* texts[] = {&t.code, &t.name, &t.league, &t.division, &t.year};
        if (field < 5)
            return *texts[field];
    }
    statdesk::fuzz::fail("text field in the fixture", __FILE__, __LINE__, std::to_string(field));
}

int fixtureSeason(Family family, size_t row) {
    return family == Family::Players ? kPlayers[row].season : kTeams[row].season;
}

bool isTeamPointDifference(Family family, int field) {
    return family == Family::Teams && field == 56;
}

// A number for each cell, from a fixed hash: sentinels, NULLs, negative values that are and are
// not missing, small values that tie often, and larger ones. Whole numbers for integer fields and
// counting statistics, quarters for the others, so that every sum is exact in any order.
std::optional<double> fixtureNumber(Family family, int table, size_t row, int field, FieldType type) {
    std::uint32_t h = static_cast<std::uint32_t>(table * 7919 + static_cast<int>(row) * 104729 + field * 31);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    const bool whole = type == FieldType::Integer || stats::isCountingField(family, field);
    const bool pointDifference = isTeamPointDifference(family, field);
    switch (h % 16) {
    case 0:
        if (pointDifference)
            return -3.5;
        return family == Family::Players ? -999.0 : -1.0;
    case 1:
        if (pointDifference)
            return 2.25;
        return std::nullopt;
    case 2:
        return whole ? -7.0 : -0.5;
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
        return whole ? double((h >> 8) % 5) : double((h >> 8) % 9) / 4;
    default:
        return whole ? double((h >> 8) % 3001) : double((h >> 8) % 12001) / 4;
    }
}

long long fixtureKey(size_t index) {
    return 1000 -
           37 * static_cast<long long>(index); // descending as written, so key order is not write order
}

void exec(sqlite3* db, const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "";
        sqlite3_free(message);
        statdesk::fuzz::fail("fixture SQL", __FILE__, __LINE__, sql + ": " + text);
    }
}

void writeFixture(sqlite3* db) {
    exec(db, "BEGIN");
    for (size_t t = 0; t < kTables.size(); ++t) {
        const FixtureTable& table = kTables[t];
        const auto fields = statdesk::replyFields(table.family);
        std::string create =
            "CREATE TABLE " + table.name + " (row_key INTEGER PRIMARY KEY, season_start INTEGER";
        std::string insert = "INSERT INTO " + table.name + " VALUES (?, ?";
        for (size_t f = 0; f < fields.size(); ++f) {
            const char* type = fields[f].type == FieldType::Text      ? "TEXT"
                               : fields[f].type == FieldType::Integer ? "INTEGER"
                                                                      : "REAL";
            create += ", f" + std::to_string(f) + " " + type;
            insert += ", ?";
        }
        exec(db, create + ")");
        sqlite3_stmt* statement = nullptr;
        FUZZ_CHECK(sqlite3_prepare_v2(db, (insert + ")").c_str(), -1, &statement, nullptr) == SQLITE_OK);
        for (size_t i = 0; i < table.rows.size(); ++i) {
            const size_t row = table.rows[i];
            sqlite3_bind_int64(statement, 1, fixtureKey(i));
            sqlite3_bind_int(statement, 2, fixtureSeason(table.family, row));
            for (size_t f = 0; f < fields.size(); ++f) {
                const int slot = static_cast<int>(f) + 3;
                const int field = static_cast<int>(f);
                if (fields[f].type == FieldType::Text) {
                    const std::string text = fixtureText(table.family, row, field);
                    sqlite3_bind_text(statement, slot, text.data(), static_cast<int>(text.size()),
                                      SQLITE_TRANSIENT);
                } else if (const auto value =
                               fixtureNumber(table.family, static_cast<int>(t), row, field, fields[f].type)) {
                    if (fields[f].type == FieldType::Integer)
                        sqlite3_bind_int64(statement, slot, static_cast<long long>(*value));
                    else
                        sqlite3_bind_double(statement, slot, *value);
                } else {
                    sqlite3_bind_null(statement, slot);
                }
            }
            FUZZ_CHECK(sqlite3_step(statement) == SQLITE_DONE);
            sqlite3_reset(statement);
        }
        sqlite3_finalize(statement);
    }
    exec(db, "COMMIT");
}

// fold(text): trailing blanks dropped; A-Z and the accented capitals 0xC0-0xDE but 0xD7 lowered.
void foldFunction(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto* bytes = sqlite3_value_text(arguments[0]);
    std::string text(reinterpret_cast<const char*>(bytes),
                     static_cast<size_t>(sqlite3_value_bytes(arguments[0])));
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
            c = static_cast<char>(byte | 0x20);
    }
    sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

struct Fixture {
    std::vector<server::StatTable> tables;
    sqlite3* db = nullptr;
};

// Written once: the engine loads it, this target keeps a read connection, and the file goes away.
const Fixture& fixture() {
    static const Fixture* made = [] {
        auto* f = new Fixture;
        const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                           ("statdesk-fuzz-query-" + std::to_string(getpid()) + ".db");
        std::filesystem::remove(path);
        sqlite3* writer = nullptr;
        FUZZ_CHECK(sqlite3_open(path.c_str(), &writer) == SQLITE_OK);
        writeFixture(writer);
        sqlite3_close(writer);
        f->tables = server::loadTables(path.string());
        FUZZ_CHECK(sqlite3_open_v2(path.c_str(), &f->db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK);
        FUZZ_CHECK(sqlite3_create_function(f->db, "fold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                           foldFunction, nullptr, nullptr) == SQLITE_OK);
        exec(f->db, "SELECT count(*) FROM players_regular"); // the connection holds the file from here
        std::filesystem::remove(path);
        return f;
    }();
    return *made;
}

// ---- The request --------------------------------------------------------------------------------

// A bound as typed, with what the number rules read from it and the season the year rule gives.
struct Bound {
    std::string text;
    double whole = 0;
    double real = 0;
    int yearRule = 2000;
};

struct Limit {
    int field;
    Bound minimum, maximum;
};

struct Group {
    std::map<char, std::vector<std::string>> choices; // letter -> values
    std::vector<Limit> limits;
};

struct Request {
    server::Dataset dataset;
    Family family;
    const FixtureTable* table;
    bool isList = false;
    int listField = 0;
    bool listByYear = false;
    long long pageStart = 0;
    int pageSize = 0;
    std::vector<int> sortCodes;
    std::vector<Group> groups;
    std::string body;
};

std::string onOneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

std::string asciiCase(std::string text, bool upper) {
    for (char& c : text) {
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        else if (!upper && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    }
    return text;
}

// A text of the family's field as a user might type it, or a few odd ones.
std::string textValue(ByteReader& in, const Request& request, int field) {
    static const char* const kOdd[] = {"", "m", "Z", "-", "\xC9", "zz", "6-", "Nobody"};
    const int pick = in.range(0, 9);
    if (pick >= 8 || request.table->rows.empty())
        return kOdd[in.range(0, 7)];
    const size_t row =
        request.table
            ->rows[static_cast<size_t>(in.range(0, static_cast<int>(request.table->rows.size()) - 1))];
    std::string text = onOneLine(fixtureText(request.family, row, field)).substr(0, 19);
    const int variant = in.range(0, 3);
    if (variant == 1)
        text = asciiCase(text, true);
    else if (variant == 2)
        text = asciiCase(text, false);
    text += std::string(static_cast<size_t>(in.range(0, 2)), ' ');
    return text;
}

Bound numberBound(ByteReader& in) {
    const bool small = in.flag();
    const int units = small ? in.range(0, 6) : in.range(0, 3000);
    const int quarters = in.range(0, 3);
    const bool negative = in.range(0, 3) == 0;
    const std::string sign = negative ? "-" : "";
    const double signedUnits = negative ? -units : units;
    const double signedReal = negative ? -(units + quarters / 4.0) : units + quarters / 4.0;
    const std::string digits = std::to_string(units);
    static const char* const kQuarters[] = {"00", "25", "50", "75"};
    Bound bound;
    bound.whole = signedUnits;
    bound.real = signedUnits;
    switch (in.range(0, 7)) {
    case 0:
        bound.text = sign + digits;
        break;
    case 1:
        bound.text = sign + digits + "." + kQuarters[quarters];
        bound.real = signedReal;
        break;
    case 2:
        bound.text = " " + sign + digits + "." + kQuarters[quarters] + " ";
        bound.real = signedReal;
        break;
    case 3:
        bound.text = "+" + digits;
        bound.whole = bound.real = units;
        break;
    case 4:
        bound.text = sign + digits + ",5"; // a comma ends the number
        break;
    case 5:
        bound.text = sign + digits + "x";
        break;
    case 6:
        bound.text = "";
        bound.whole = bound.real = 0;
        break;
    default:
        bound.text = "n/a";
        bound.whole = bound.real = 0;
        break;
    }
    return bound;
}

Bound yearBound(ByteReader& in) {
    Bound bound;
    switch (in.range(0, 2)) {
    case 0: {
        auto it = kYearRule.begin();
        std::advance(it, in.range(0, static_cast<int>(kYearRule.size()) - 1));
        bound.text = it->first;
        bound.yearRule = it->second;
        break;
    }
    case 1: {
        const int season = in.range(1930, 2029);
        char text[8];
        std::snprintf(text, sizeof text, "%02d%02d", season % 100, (season + 1) % 100);
        bound.text = text;
        bound.yearRule = season;
        break;
    }
    default:
        bound.text = in.flag() ? "" : "x";
        bound.yearRule = 2000;
        break;
    }
    return bound;
}

Bound boundFor(ByteReader& in, const Request& request, int field) {
    if (field == kYear)
        return yearBound(in);
    if (statdesk::replyFields(request.family)[static_cast<size_t>(field)].type == FieldType::Text) {
        Bound bound;
        bound.text = textValue(in, request, field);
        return bound;
    }
    return numberBound(in);
}

int sortCode(ByteReader& in, int columns) {
    switch (in.range(0, 4)) {
    case 0:
        return 300;
    case 1:
        return in.range(0, columns - 1);
    case 2:
    case 3:
        return 100 + in.range(0, columns - 1);
    default: {
        const int odd[] = {-1, columns, 99, 100 + columns, 199, 250, 301, 1000000, -1000000};
        return odd[in.range(0, 8)];
    }
    }
}

Request decodeRequest(ByteReader& in) {
    Request request;
    const FixtureTable& table = kTables[static_cast<size_t>(in.range(0, 3))];
    request.dataset = table.dataset;
    request.family = table.family;
    request.table = &table;
    const int columns = statdesk::columnCount(request.family);

    std::string head;
    if (in.range(0, 5) == 0) {
        // A list: A players (players only), D teams, C years, E leagues.
        const bool players = request.family == Family::Players;
        const int kind = in.range(players ? 0 : 1, 3);
        const char letter = "ADCE"[kind];
        const int fields[2][4] = {{0, 3, kYear, 1}, {1, 1, kYear, 2}};
        request.isList = true;
        request.listField = fields[players ? 0 : 1][kind];
        request.listByYear = kind == 2;
        head = std::string("0!0!") + letter + "!";
    } else {
        request.pageStart = in.range(0, 9) == 0 ? 999999999999LL : in.range(0, 14);
        request.pageSize = in.range(0, 19) == 0 ? 1000 : in.range(0, 20);
        const int codes = in.range(1, 4);
        for (int i = 0; i < codes; ++i)
            request.sortCodes.push_back(sortCode(in, columns));
        head = std::to_string(request.pageStart) + "!" + std::to_string(request.pageSize) + "!";
        if (codes > 1)
            head += std::string(1, "BYZ"[codes - 2]) + "!";
        for (int code : request.sortCodes)
            head += std::to_string(code) + "!";
    }

    std::vector<std::string> lines;
    Group group;
    bool open = false;
    const int count = in.range(0, 7);
    for (int i = 0; i < count; ++i) {
        const int kind = in.range(0, 9);
        if (kind <= 1) {
            lines.push_back("*");
            request.groups.push_back(std::move(group));
            group = Group();
            open = false;
        } else if (kind <= 5) {
            const char letter = static_cast<char>('A' + kind - 2);
            const std::string value = textValue(in, request, fieldOfLetter(request.family, letter));
            lines.push_back(letter + value);
            group.choices[letter].push_back(value);
            open = true;
        } else {
            const int column = in.range(0, columns - 1);
            const int field = statdesk::replyFieldOfColumn(request.family, column);
            Limit limit{field, boundFor(in, request, field), boundFor(in, request, field)};
            lines.push_back("E" + std::to_string(column) + "!" + limit.minimum.text + "!" +
                            limit.maximum.text + "!");
            group.limits.push_back(std::move(limit));
            open = true;
        }
    }
    if (open)
        request.groups.push_back(std::move(group));
    // A closing "*" after an open group ends that same group.
    if (lines.empty() || (open && in.flag()))
        lines.push_back("*");
    request.body = head + "\r\n";
    for (const std::string& line : lines)
        request.body += line + "\r\n";
    request.body += '\x1a';
    return request;
}

// ---- The SQL ------------------------------------------------------------------------------------

struct Param {
    bool isText;
    std::string text;
    double number = 0;
};

class Sql {
  public:
    explicit Sql(const Request& request) : m_request(request) {}

    std::string column(int field) const { return "f" + std::to_string(field); }

    // The stored text with the line-ending bytes a reply cannot carry made blanks.
    std::string text(int field) const {
        return "replace(replace(replace(" + column(field) +
               ", char(13), ' '), char(10), ' '), char(26), ' ')";
    }

    static std::string fold(const std::string& expression) { return "fold(" + expression + ")"; }

    FieldType type(int field) const {
        return statdesk::replyFields(m_request.family)[static_cast<size_t>(field)].type;
    }

    std::string missing(int field) const {
        const std::string c = column(field);
        if (type(field) == FieldType::Text)
            return "(" + fold(text(field)) + " = '' OR substr(" + fold(text(field)) + ", 1, 1) = '-')";
        if (m_request.family == Family::Players)
            return "(" + c + " IS NULL OR " + c + " = -999)";
        if (isTeamPointDifference(m_request.family, field))
            return "(0 = 1)"; // an expression: a bare 0 in ORDER BY would name a result column
        if (type(field) == FieldType::Real)
            return "(" + c + " IS NULL OR " + c + " = -1.0)";
        return "(" + c + " IS NULL OR " + c + " < 0)";
    }

    std::string param(const std::string& text) {
        m_params.push_back({true, text, 0});
        return "?" + std::to_string(m_params.size());
    }
    std::string param(double number) {
        m_params.push_back({false, {}, number});
        return "?" + std::to_string(m_params.size());
    }

    std::string seasonOf(const Bound& bound) {
        return "COALESCE((SELECT season_start FROM " + m_request.table->name + " WHERE " + text(kYear) +
               " = " + param(bound.text) + " ORDER BY row_key LIMIT 1), " + param(double(bound.yearRule)) +
               ")";
    }

    std::string limit(const Limit& limit) {
        std::string holds = "NOT " + missing(limit.field) + " AND ";
        if (limit.field == kYear)
            return holds + "season_start >= " + seasonOf(limit.minimum) +
                   " AND season_start <= " + seasonOf(limit.maximum);
        if (type(limit.field) == FieldType::Text) {
            const std::string value = fold(text(limit.field));
            return holds + value + " >= " + fold(param(limit.minimum.text)) + " AND " + value +
                   " <= " + fold(param(limit.maximum.text));
        }
        const bool whole = type(limit.field) == FieldType::Integer;
        return holds + column(limit.field) +
               " >= " + param(whole ? limit.minimum.whole : limit.minimum.real) + " AND " +
               column(limit.field) + " <= " + param(whole ? limit.maximum.whole : limit.maximum.real);
    }

    std::string where() {
        std::string all = "1";
        for (const Group& group : m_request.groups) {
            for (const auto& [letter, values] : group.choices) {
                std::string in;
                for (const std::string& value : values)
                    in += (in.empty() ? "" : ", ") + fold(param(value));
                all += " AND " + fold(text(fieldOfLetter(m_request.family, letter))) + " IN (" + in + ")";
            }
            if (group.limits.empty())
                continue;
            std::string any;
            for (const Limit& l : group.limits)
                any += (any.empty() ? "(" : " OR (") + limit(l) + ")";
            all += " AND (" + any + ")";
        }
        return all;
    }

    std::string sortKey(int field, bool ascending) const {
        const std::string value = field == kYear                   ? std::string("season_start")
                                  : type(field) == FieldType::Text ? fold(text(field))
                                                                   : column(field);
        const std::string m = missing(field);
        return m + ", CASE WHEN " + m + " THEN NULL ELSE " + value + " END" + (ascending ? "" : " DESC");
    }

    std::string orderBy() const {
        const Family family = m_request.family;
        const int columns = statdesk::columnCount(family);
        const std::string defaults = family == Family::Players
                                         ? sortKey(0, true) + ", " + sortKey(kYear, true)
                                         : sortKey(kYear, true) + ", " + sortKey(nameFieldOf(family), true);
        std::string order;
        for (int code : m_request.sortCodes) {
            if (code == 300) {
                order += defaults + ", ";
                continue;
            }
            const bool ascending = code >= 100;
            const int columnNumber = ascending ? code - 100 : code;
            if (columnNumber >= 0 && columnNumber < columns)
                order += sortKey(statdesk::replyFieldOfColumn(family, columnNumber), ascending) + ", ";
        }
        return order + defaults + ", row_key";
    }

    sqlite3_stmt* prepare(const std::string& sql) const {
        sqlite3_stmt* statement = nullptr;
        FUZZ_CHECK_MSG(sqlite3_prepare_v2(fixture().db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK,
                       sql + ": " + sqlite3_errmsg(fixture().db));
        for (size_t i = 0; i < m_params.size(); ++i) {
            const int slot = static_cast<int>(i) + 1;
            if (m_params[i].isText)
                sqlite3_bind_text(statement, slot, m_params[i].text.data(),
                                  static_cast<int>(m_params[i].text.size()), SQLITE_TRANSIENT);
            else
                sqlite3_bind_double(statement, slot, m_params[i].number);
        }
        return statement;
    }

  private:
    const Request& m_request;
    std::vector<Param> m_params;
};

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

std::vector<long long> expectedKeys(const Request& request) {
    Sql sql(request);
    const std::string where = sql.where();
    Statement statement(sql.prepare("SELECT row_key FROM " + request.table->name + " WHERE " + where +
                                    " ORDER BY " + sql.orderBy()),
                        sqlite3_finalize);
    std::vector<long long> keys;
    while (sqlite3_step(statement.get()) == SQLITE_ROW)
        keys.push_back(sqlite3_column_int64(statement.get(), 0));
    return keys;
}

// The totals row: each counting statistic summed over the rows that have it, the derived values
// computed from those sums by the shared definitions, named "TOTALS".
stats::StatRow expectedTotals(const Request& request) {
    Sql sql(request);
    const std::string where = sql.where();
    std::vector<int> counting;
    std::string sums;
    for (int field = 0; field < statdesk::fieldCount(request.family); ++field) {
        if (!stats::isCountingField(request.family, field))
            continue;
        counting.push_back(field);
        sums += std::string(sums.empty() ? "" : ", ") + "SUM(CASE WHEN " + sql.missing(field) +
                " THEN NULL ELSE " + sql.column(field) + " END)";
    }
    Statement statement(sql.prepare("SELECT " + sums + " FROM " + request.table->name + " WHERE " + where),
                        sqlite3_finalize);
    FUZZ_CHECK(sqlite3_step(statement.get()) == SQLITE_ROW);
    stats::StatRow totals = stats::makeEmptyRow(request.family);
    for (size_t i = 0; i < counting.size(); ++i) {
        if (sqlite3_column_type(statement.get(), static_cast<int>(i)) != SQLITE_NULL)
            totals.value[static_cast<size_t>(counting[i])] =
                sqlite3_column_double(statement.get(), static_cast<int>(i));
    }
    stats::computeDerived(totals);
    totals.text[static_cast<size_t>(nameFieldOf(request.family))] = "TOTALS";
    return totals;
}

// One value per folded text, the text of its first row by key; years by season, then folded text.
std::vector<std::string> expectedList(const Request& request) {
    Sql sql(request);
    const std::string where = sql.where();
    const std::string value = sql.text(request.listField);
    const std::string folded = Sql::fold(value);
    const std::string matching = "SELECT row_key, season_start, " + value + " AS t, " + folded +
                                 " AS k FROM " + request.table->name + " WHERE " + where;
    Statement statement(
        sql.prepare("WITH m AS (" + matching +
                    "), first AS (SELECT k, MIN(row_key) AS rk FROM m WHERE k <> '' GROUP BY k) "
                    "SELECT m.t FROM first JOIN m ON m.row_key = first.rk ORDER BY " +
                    (request.listByYear ? "m.season_start, " : "") + "m.k, m.t"),
        sqlite3_finalize);
    std::vector<std::string> values;
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement.get(), 0));
        values.emplace_back(bytes ? bytes : "",
                            static_cast<size_t>(sqlite3_column_bytes(statement.get(), 0)));
    }
    return values;
}

bool sameNumber(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool sameRow(const stats::StatRow& a, const stats::StatRow& b) {
    if (a.family != b.family || a.text != b.text || a.value.size() != b.value.size())
        return false;
    for (size_t i = 0; i < a.value.size(); ++i) {
        if (!sameNumber(a.value[i], b.value[i]))
            return false;
    }
    return true;
}

std::string keysText(const std::vector<long long>& keys) {
    std::string text;
    for (long long key : keys)
        text += std::to_string(key) + " ";
    return text;
}

std::string visible(std::string text) {
    for (char& c : text) {
        if (c == '\r')
            c = '|';
        else if (c == '\x1a')
            c = '$';
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Fixture& made = fixture();
    ByteReader in(data, size);
    const Request request = decodeRequest(in);
    const std::string about = "request: " + visible(request.body);

    // A fresh engine per input keeps runs independent; its small cache is still used within one.
    server::QueryEngine engine(made.tables, 4);
    const server::StatTable& table = engine.table(request.dataset);

    std::string reply;
    try {
        if (!request.isList) {
            const server::ServiceRequest parsed = server::parseRequest(request.body, request.family);
            const auto result = engine.result(request.dataset, parsed);
            std::vector<long long> keys;
            for (std::uint32_t row : result->rows)
                keys.push_back(table.rowKey(row));
            const std::vector<long long> expected = expectedKeys(request);
            FUZZ_CHECK_MSG(keys == expected,
                           about + "\nengine: " + keysText(keys) + "\nSQL:    " + keysText(expected));
            FUZZ_CHECK_MSG(sameRow(result->totals, expectedTotals(request)), about);
        }
        reply = engine.answer(request.dataset, request.body);
    } catch (const server::RequestError& error) {
        FUZZ_CHECK_MSG(false, about + "\nrefused: " + error.what());
    }

    std::string expected;
    if (request.isList) {
        const std::vector<std::string> values = expectedList(request);
        server::appendLine(expected, std::to_string(values.size()));
        for (const std::string& value : values)
            server::appendLine(expected, value);
        server::appendLine(expected, "END");
    } else {
        std::map<long long, size_t> rowOfKey;
        for (size_t row = 0; row < table.rowCount(); ++row)
            rowOfKey[table.rowKey(row)] = row;
        const std::vector<long long> keys = expectedKeys(request);
        server::appendLine(expected, std::to_string(keys.size()));
        for (int i = 0; i < request.pageSize; ++i) {
            const auto position =
                static_cast<unsigned long long>(request.pageStart) + static_cast<unsigned>(i);
            if (position < keys.size())
                server::appendRowBlock(expected, table, rowOfKey.at(keys[position]));
            else
                server::appendBlankBlock(expected, request.family);
        }
        server::appendStatRow(expected, expectedTotals(request));
    }
    FUZZ_CHECK_MSG(reply == expected,
                   about + "\nengine:\n" + visible(reply) + "\nSQL:\n" + visible(expected));
    return 0;
}
