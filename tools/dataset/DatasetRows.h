#pragma once

#include "DerivedValues.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace statdesk::dataset {

struct DatasetRow {
    int seasonStart;
    stats::StatRow row;
};

struct Dataset {
    std::string table; // SQLite table name
    Family family;
    std::vector<DatasetRow> rows;
};

// A number as the sources write it; blank and "NA" mean no value.
std::optional<double> sourceNumber(std::string_view text);

void setNumber(stats::StatRow& row, int field, std::optional<double> value);

// League text of a row (its field differs between the families).
const std::string& leagueOf(const stats::StatRow& row);

// Blanks what an era did not record (by league rules, and where a whole league-season of the source
// holds only zeros), fills the derived fields, and puts the rows in their stored order.
void finishDataset(Dataset& dataset);

} // namespace statdesk::dataset
