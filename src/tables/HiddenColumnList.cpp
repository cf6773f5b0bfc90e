#include "HiddenColumnList.h"

#include <algorithm>

namespace statdesk {

bool HiddenColumnList::contains(int column) const {
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [column](const Entry& entry) { return entry.column == column; });
}

bool HiddenColumnList::add(int column, int width, const QString& unhideName) {
    if (contains(column))
        return false;
    m_entries.push_back({column, width, unhideName.left(30)});
    return true;
}

std::vector<HiddenColumnList::Entry> HiddenColumnList::take(const std::vector<int>& positions) {
    std::vector<Entry> taken;
    std::vector<Entry> kept;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const bool chosen =
            std::find(positions.begin(), positions.end(), static_cast<int>(i)) != positions.end();
        (chosen ? taken : kept).push_back(m_entries[i]);
    }
    m_entries = std::move(kept);
    return taken;
}

std::vector<HiddenColumnList::Entry> HiddenColumnList::takeAll() {
    return std::exchange(m_entries, {});
}

} // namespace statdesk
