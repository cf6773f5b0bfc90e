#include "TableLoader.h"

#include "Dataset.h"

#include <limits>
#include <memory>
#include <sqlite3.h>
#include <stdexcept>

namespace statdesk::server {
namespace {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, DatabaseCloser>;
using StatementHandle = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// The column list comes from the fixed layout, never from a request.
std::string selectAll(Dataset dataset) {
    std::string sql = "SELECT row_key, season_start";
    for (int field = 0; field < fieldCount(familyOf(dataset)); ++field)
        sql += ", f" + std::to_string(field);
    sql += " FROM ";
    sql += tableName(dataset);
    sql += " ORDER BY row_key";
    return sql;
}

StatTable loadTable(sqlite3* db, Dataset dataset) {
    sqlite3_stmt* raw = nullptr;
    const std::string sql = selectAll(dataset);
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot read table " + std::string(tableName(dataset)) + ": " +
                                 sqlite3_errmsg(db));
    StatementHandle statement(raw);
    const Family family = familyOf(dataset);
    const auto fields = replyFields(family);
    StatTable table(family);
    std::vector<std::string> texts(fields.size());
    std::vector<double> values(fields.size());
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(raw)) == SQLITE_ROW) {
        for (size_t field = 0; field < fields.size(); ++field) {
            const int column = static_cast<int>(field) + 2;
            if (fields[field].type == FieldType::Text) {
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(raw, column));
                texts[field].assign(bytes ? bytes : "",
                                    static_cast<size_t>(sqlite3_column_bytes(raw, column)));
            } else {
                values[field] = sqlite3_column_type(raw, column) == SQLITE_NULL
                                    ? std::numeric_limits<double>::quiet_NaN()
                                    : sqlite3_column_double(raw, column);
            }
        }
        table.appendRow(sqlite3_column_int64(raw, 0), sqlite3_column_int(raw, 1), texts, values);
    }
    if (step != SQLITE_DONE)
        throw std::runtime_error("cannot read table " + std::string(tableName(dataset)) + ": " +
                                 sqlite3_errmsg(db));
    return table;
}

} // namespace

std::vector<StatTable> loadTables(const std::string& databasePath) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(databasePath.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    DatabaseHandle db(raw);
    if (opened != SQLITE_OK)
        throw std::runtime_error("cannot open database " + databasePath + ": " +
                                 (raw ? sqlite3_errmsg(raw) : "out of memory"));
    std::vector<StatTable> tables;
    for (Dataset dataset : kDatasets)
        tables.push_back(loadTable(db.get(), dataset));
    return tables;
}

} // namespace statdesk::server
