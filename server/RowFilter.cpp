#include "RowFilter.h"

#include "ColumnMap.h"
#include "NumberText.h"

#include <algorithm>

namespace statdesk::server {
namespace {

int fieldOfLetter(Family family, char letter) {
    switch (letter) {
    case 'A':
        return nameField(family);
    case 'B':
        return teamField(family);
    case 'C':
        return kYearField;
    default:
        return leagueField(family);
    }
}

} // namespace

RowFilter::RowFilter(const StatTable& table, const std::vector<CriteriaGroup>& groups) : m_table(table) {
    for (const CriteriaGroup& lines : groups) {
        Group group;
        for (const Criterion& criterion : lines) {
            if (criterion.letter == 'E') {
                group.limits.push_back(limitOf(criterion));
                continue;
            }
            const char letter = criterion.letter;
            auto choice = std::find_if(group.choices.begin(), group.choices.end(),
                                       [letter](const Choice& c) { return c.letter == letter; });
            if (choice == group.choices.end())
                choice = group.choices.insert(group.choices.end(),
                                              Choice{letter, fieldOfLetter(table.family(), letter), {}});
            choice->values.insert(foldText(criterion.value));
        }
        if (!group.choices.empty() || !group.limits.empty())
            m_groups.push_back(std::move(group));
    }
}

RowFilter::Limit RowFilter::limitOf(const Criterion& criterion) const {
    Limit limit;
    limit.field = fieldOfColumn(m_table.family(), criterion.column);
    limit.type = replyFields(m_table.family())[static_cast<size_t>(limit.field)].type;
    if (limit.field == kYearField) {
        limit.minimum = m_table.seasonOfYearText(criterion.minimum);
        limit.maximum = m_table.seasonOfYearText(criterion.maximum);
    } else if (limit.type == FieldType::Text) {
        limit.textMinimum = foldText(criterion.minimum);
        limit.textMaximum = foldText(criterion.maximum);
    } else if (limit.type == FieldType::Integer) {
        limit.minimum = static_cast<double>(readWholeNumber(criterion.minimum));
        limit.maximum = static_cast<double>(readWholeNumber(criterion.maximum));
    } else {
        limit.minimum = readRealNumber(criterion.minimum);
        limit.maximum = readRealNumber(criterion.maximum);
    }
    return limit;
}

bool RowFilter::holds(const Limit& limit, size_t row) const {
    if (m_table.isMissing(limit.field, row))
        return false;
    if (limit.field == kYearField) {
        const int season = m_table.seasonStart(row);
        return season >= limit.minimum && season <= limit.maximum;
    }
    if (limit.type == FieldType::Text) {
        const std::string& text = m_table.foldedText(limit.field, row);
        return text >= limit.textMinimum && text <= limit.textMaximum;
    }
    const double value = m_table.value(limit.field, row);
    return value >= limit.minimum && value <= limit.maximum;
}

bool RowFilter::holds(const Group& group, size_t row) const {
    for (const Choice& choice : group.choices) {
        if (!choice.values.contains(m_table.foldedText(choice.field, row)))
            return false;
    }
    if (group.limits.empty())
        return true;
    for (const Limit& limit : group.limits) {
        if (holds(limit, row))
            return true;
    }
    return false;
}

bool RowFilter::matches(size_t row) const {
    for (const Group& group : m_groups) {
        if (!holds(group, row))
            return false;
    }
    return true;
}

std::vector<uint32_t> RowFilter::matchingRows() const {
    std::vector<uint32_t> rows;
    rows.reserve(m_table.rowCount());
    for (size_t row = 0; row < m_table.rowCount(); ++row) {
        if (matches(row))
            rows.push_back(static_cast<uint32_t>(row));
    }
    return rows;
}

} // namespace statdesk::server
