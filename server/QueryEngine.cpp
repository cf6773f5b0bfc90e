#include "QueryEngine.h"

#include "ColumnMap.h"
#include "NumberText.h"
#include "ReplyWriter.h"
#include "RequestParser.h"
#include "ResultTotals.h"
#include "RowFilter.h"
#include "RowOrder.h"

#include <algorithm>
#include <unordered_set>

namespace statdesk::server {
namespace {

constexpr std::string_view kListEnd = "END";

std::string cacheKey(Dataset dataset, const ServiceRequest& request) {
    std::string key = std::to_string(indexOf(dataset)) + "|";
    for (int code : request.sortCodes)
        key += std::to_string(code) + ",";
    key += "|" + request.criteriaText;
    return key;
}

int listField(Family family, ListKind kind) {
    switch (kind) {
    case ListKind::Players:
        return nameField(family);
    case ListKind::Teams:
        return teamField(family);
    case ListKind::Years:
        return kYearField;
    default:
        return leagueField(family);
    }
}

} // namespace

QueryEngine::QueryEngine(std::vector<StatTable> tables, size_t cacheSize)
    : m_tables(std::move(tables)), m_cache(cacheSize) {
    if (m_tables.size() != kDatasets.size())
        throw std::invalid_argument("QueryEngine needs one table per dataset");
}

const StatTable& QueryEngine::table(Dataset dataset) const {
    return m_tables[indexOf(dataset)];
}

std::string QueryEngine::answer(Dataset dataset, std::string_view body) {
    const ServiceRequest request = parseRequest(body, familyOf(dataset));
    return request.isList ? listReply(dataset, request) : pageReply(dataset, request);
}

std::shared_ptr<const QueryResult> QueryEngine::result(Dataset dataset, const ServiceRequest& request) {
    const std::string key = cacheKey(dataset, request);
    if (auto cached = m_cache.find(key))
        return cached;
    const StatTable& rows = table(dataset);
    auto computed = std::make_shared<QueryResult>();
    computed->rows = RowFilter(rows, request.groups).matchingRows();
    sortRows(rows, request.sortCodes, computed->rows);
    computed->totals = totalsOf(rows, computed->rows);
    m_cache.insert(key, computed);
    return computed;
}

std::string QueryEngine::pageReply(Dataset dataset, const ServiceRequest& request) {
    const auto found = result(dataset, request);
    const StatTable& rows = table(dataset);
    const size_t total = found->rows.size();
    std::string out;
    out.reserve((static_cast<size_t>(request.pageSize) + 2) * static_cast<size_t>(fieldCount(rows.family())) *
                8);
    appendLine(out, writeWholeNumber(static_cast<long long>(total)));
    for (int i = 0; i < request.pageSize; ++i) {
        const auto position = static_cast<size_t>(request.pageStart) + static_cast<size_t>(i);
        if (position < total)
            appendRowBlock(out, rows, found->rows[position]);
        else
            appendBlankBlock(out, rows.family());
    }
    appendStatRow(out, found->totals);
    return out;
}

std::vector<std::string> QueryEngine::listValues(Dataset dataset, const ServiceRequest& request) const {
    const StatTable& rows = table(dataset);
    const int field = listField(rows.family(), request.list);
    // One value per folded text, since the selection compares without regard to case.
    std::unordered_set<std::string> seen;
    std::vector<uint32_t> distinct;
    for (uint32_t row : RowFilter(rows, request.groups).matchingRows()) {
        if (!rows.foldedText(field, row).empty() && seen.insert(rows.foldedText(field, row)).second)
            distinct.push_back(row);
    }
    std::sort(distinct.begin(), distinct.end(), [&](uint32_t a, uint32_t b) {
        if (field == kYearField && rows.seasonStart(a) != rows.seasonStart(b))
            return rows.seasonStart(a) < rows.seasonStart(b);
        if (rows.foldedText(field, a) != rows.foldedText(field, b))
            return rows.foldedText(field, a) < rows.foldedText(field, b);
        return rows.text(field, a) < rows.text(field, b);
    });
    std::vector<std::string> values;
    values.reserve(distinct.size());
    for (uint32_t row : distinct)
        values.push_back(rows.text(field, row));
    return values;
}

std::string QueryEngine::listReply(Dataset dataset, const ServiceRequest& request) const {
    const auto values = listValues(dataset, request);
    std::string out;
    appendLine(out, writeWholeNumber(static_cast<long long>(values.size())));
    for (const std::string& value : values)
        appendLine(out, value);
    appendLine(out, kListEnd);
    return out;
}

} // namespace statdesk::server
