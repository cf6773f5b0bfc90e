#include "RequestState.h"

namespace statdesk {

bool RequestState::appendCriterion(const QString& line) {
    if (CriteriaList.size() >= kMaxCriteriaLines)
        return false;
    CriteriaList.append(line.left(kCriterionCapacity));
    return true;
}

bool RequestState::appendGroup(const QStringList& lines) {
    if (CriteriaList.size() + lines.size() > kMaxCriteriaLines)
        return false;
    for (const QString& line : lines)
        appendCriterion(line);
    return true;
}

void RequestState::reset() {
    SortCodes = {kDefaultSortCode};
    CriteriaList.clear();
}

} // namespace statdesk
