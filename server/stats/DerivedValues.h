#pragma once

#include "ReplyLayout.h"

#include <string>
#include <vector>

// The values a row computes from its counting statistics, shared by the dataset builder (every stored
// row) and the service (the totals row it sums over a result).
namespace statdesk::stats {

struct StatRow { // one row in reply field order
    Family family;
    std::vector<std::string>
        text; // fieldCount(family) entries; used for Text fields (wire bytes, Windows-1252)
    std::vector<double>
        value; // fieldCount(family) entries; used for Integer/Real fields; sentinel when missing
};

// Texts empty, every number missing.
StatRow makeEmptyRow(Family family);

// The counting statistics that a totals row sums.
bool isCountingField(Family family, int field);

// Fills every derived field from the counting fields; a derived value whose input is missing or whose
// divisor is 0 becomes the family's sentinel (the team point difference per game becomes 0 instead).
void computeDerived(StatRow& row);

} // namespace statdesk::stats
