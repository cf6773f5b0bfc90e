#include "RowOrder.h"

#include "ColumnMap.h"
#include "ServiceRequest.h"

#include <algorithm>

namespace statdesk::server {
namespace {

constexpr int kAscendingOffset = 100;

struct SortKey {
    int field;
    bool ascending;
};

void appendDefaultOrder(Family family, std::vector<SortKey>& keys) {
    if (family == Family::Players) {
        keys.push_back({nameField(family), true});
        keys.push_back({kYearField, true});
    } else {
        keys.push_back({kYearField, true});
        keys.push_back({nameField(family), true});
    }
}

std::vector<SortKey> sortKeys(Family family, const std::vector<int>& codes) {
    std::vector<SortKey> keys;
    for (int code : codes) {
        if (code == kDefaultSortCode) {
            appendDefaultOrder(family, keys);
            continue;
        }
        const bool ascending = code >= kAscendingOffset;
        const int field = fieldOfColumn(family, ascending ? code - kAscendingOffset : code);
        if (field >= 0)
            keys.push_back({field, ascending});
    }
    appendDefaultOrder(family, keys);
    return keys;
}

// Negative when row a goes first.
int compareBy(const StatTable& table, const SortKey& key, size_t a, size_t b) {
    const bool missingA = table.isMissing(key.field, a);
    const bool missingB = table.isMissing(key.field, b);
    if (missingA || missingB)
        return missingA == missingB ? 0 : (missingA ? 1 : -1);
    int order = 0;
    if (key.field == kYearField) {
        order = table.seasonStart(a) - table.seasonStart(b);
    } else if (replyFields(table.family())[static_cast<size_t>(key.field)].type == FieldType::Text) {
        const int compared = table.foldedText(key.field, a).compare(table.foldedText(key.field, b));
        order = (compared > 0) - (compared < 0);
    } else {
        const double valueA = table.value(key.field, a);
        const double valueB = table.value(key.field, b);
        order = valueA < valueB ? -1 : (valueA > valueB ? 1 : 0);
    }
    return key.ascending ? order : -order;
}

} // namespace

void sortRows(const StatTable& table, const std::vector<int>& sortCodes, std::vector<uint32_t>& rows) {
    const std::vector<SortKey> keys = sortKeys(table.family(), sortCodes);
    std::sort(rows.begin(), rows.end(), [&](uint32_t a, uint32_t b) {
        for (const SortKey& key : keys) {
            const int order = compareBy(table, key, a, b);
            if (order != 0)
                return order < 0;
        }
        return table.rowKey(a) < table.rowKey(b);
    });
}

} // namespace statdesk::server
