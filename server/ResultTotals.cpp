#include "ResultTotals.h"

#include "ColumnMap.h"

namespace statdesk::server {

stats::StatRow totalsOf(const StatTable& table, const std::vector<uint32_t>& rows) {
    const Family family = table.family();
    stats::StatRow totals = stats::makeEmptyRow(family);
    for (int field = 0; field < fieldCount(family); ++field) {
        if (!stats::isCountingField(family, field))
            continue;
        const std::vector<double>& values = table.values(field);
        double sum = 0;
        bool any = false;
        for (uint32_t row : rows) {
            if (!isMissingValue(family, field, values[row])) {
                sum += values[row];
                any = true;
            }
        }
        if (any)
            totals.value[static_cast<size_t>(field)] = sum;
    }
    stats::computeDerived(totals);
    totals.text[static_cast<size_t>(nameField(family))] = kTotalsName;
    return totals;
}

} // namespace statdesk::server
