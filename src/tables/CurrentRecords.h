#pragma once

#include "RequestState.h"

#include <utility>
#include <vector>

namespace statdesk {

// Which records of a window's row cache hold rows of its current result. A page read under other
// sort codes or criteria leaves rows of the earlier result in every record it did not rewrite; a
// copy of those would be silently wrong.
class CurrentRecords final {
  public:
    explicit CurrentRecords(int capacity);

    // Records first..last now hold rows of state's result; those of any other result are forgotten.
    void pageRead(const RequestState& state, int first, int last);
    // The runs [from, to] of records in first..last that hold no row of state's result.
    std::vector<std::pair<int, int>> missing(const RequestState& state, int first, int last) const;

  private:
    bool sameResult(const RequestState& state) const;

    std::vector<bool> m_current; // by record number
    std::vector<int> m_sortCodes;
    QStringList m_criteria;
};

} // namespace statdesk
