#include "ReplyLayout.h"

#include <array>

namespace statdesk {
namespace {
#include "ReplyFieldTables.inc"
} // namespace

std::span<const ReplyField> replyFields(Family family) {
    if (family == Family::Players)
        return kPlayerFields;
    return kTeamFields;
}

int fieldCount(Family family) {
    return family == Family::Players ? kPlayerFieldCount : kTeamFieldCount;
}

bool isMissingValue(Family family, int field, double value) {
    if (family == Family::Players)
        return value == kPlayerMissing;
    if (field == kTeamPointDifferenceField)
        return false;
    if (kTeamFields[static_cast<size_t>(field)].type == FieldType::Real)
        return value == kTeamMissingReal;
    return value < 0;
}

} // namespace statdesk
