#pragma once

#include "ServiceRequest.h"
#include "StatTable.h"

#include <unordered_set>

namespace statdesk::server {

// The criteria of a request, prepared once for one table. Groups combine with AND; inside a group,
// lines of one letter are alternatives and different letters must all hold; an empty group holds
// for every row.
class RowFilter {
  public:
    RowFilter(const StatTable& table, const std::vector<CriteriaGroup>& groups);

    bool matches(size_t row) const;
    std::vector<uint32_t> matchingRows() const;

  private:
    struct Limit {
        int field;
        FieldType type;
        double minimum = 0;
        double maximum = 0;
        std::string textMinimum;
        std::string textMaximum;
    };
    struct Choice {
        char letter; // two letters may name one field (a team's name); each must still hold
        int field;
        std::unordered_set<std::string> values;
    };
    struct Group {
        std::vector<Choice> choices;
        std::vector<Limit> limits;
    };

    bool holds(const Group& group, size_t row) const;
    bool holds(const Limit& limit, size_t row) const;
    Limit limitOf(const Criterion& criterion) const;

    const StatTable& m_table;
    std::vector<Group> m_groups;
};

} // namespace statdesk::server
