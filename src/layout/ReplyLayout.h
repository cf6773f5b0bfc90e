#pragma once

#include <span>
#include <string_view>

// The row block of a reply, shared by the client that reads it and the service that writes it.
namespace statdesk {

enum class Family { Players, Teams };
enum class FieldType { Text, Integer, Real };

struct ReplyField {
    std::string_view content; // what the field holds, in words
    FieldType type;
    int capacity; // characters kept of a text field; 0 for numbers
};

inline constexpr int kPlayerFieldCount = 76;
inline constexpr int kTeamFieldCount = 89;
inline constexpr int kPlayerMissing = -999;
inline constexpr int kTeamMissingInteger = -1;
inline constexpr double kTeamMissingReal = -1.0;
// The team point difference per game may be negative and so has no missing marker.
inline constexpr int kTeamPointDifferenceField = 56;

std::span<const ReplyField> replyFields(Family family);
int fieldCount(Family family);

// True when a numeric value of this field is the family's "no value" sentinel.
bool isMissingValue(Family family, int field, double value);

} // namespace statdesk
