#include "CurrentRecords.h"

#include <algorithm>

namespace statdesk {

CurrentRecords::CurrentRecords(int capacity)
    : m_current(static_cast<size_t>(std::max(capacity, 0)) + 1, false) {}

bool CurrentRecords::sameResult(const RequestState& state) const {
    return state.SortCodes == m_sortCodes && state.CriteriaList == m_criteria;
}

void CurrentRecords::pageRead(const RequestState& state, int first, int last) {
    if (!sameResult(state)) {
        std::fill(m_current.begin(), m_current.end(), false);
        m_sortCodes = state.SortCodes;
        m_criteria = state.CriteriaList;
    }
    const int top = static_cast<int>(m_current.size()) - 1;
    for (int record = std::max(first, 1); record <= std::min(last, top); ++record)
        m_current[static_cast<size_t>(record)] = true;
}

std::vector<std::pair<int, int>> CurrentRecords::missing(const RequestState& state, int first,
                                                         int last) const {
    std::vector<std::pair<int, int>> runs;
    const bool same = sameResult(state);
    const int top = static_cast<int>(m_current.size()) - 1;
    for (int record = std::max(first, 1); record <= std::min(last, top); ++record) {
        if (same && m_current[static_cast<size_t>(record)])
            continue;
        if (!runs.empty() && runs.back().second == record - 1)
            runs.back().second = record;
        else
            runs.emplace_back(record, record);
    }
    return runs;
}

} // namespace statdesk
