#include "RequestState.h"

namespace statdesk {

bool RequestState::appendCriterion(const QString& line) {
    if (CriteriaList.size() >= kMaxCriteriaLines)
        return false;
    CriteriaList.append(line.left(kCriterionCapacity));
    return true;
}

void RequestState::reset() {
    SortCodes = {kDefaultSortCode};
    CriteriaList.clear();
}

} // namespace statdesk
