#pragma once

#include "ReplyLayout.h"

#include <string>
#include <vector>

// One request body of a dataset endpoint, checked and taken apart.
namespace statdesk::server {

inline constexpr int kMaxPageSize = 1000;
inline constexpr int kMaxCriteriaLines = 500;
inline constexpr int kMaxCriterionLength = 50;
inline constexpr size_t kMaxBodyBytes = 64 * 1024;
inline constexpr const char* kBodyTooLargeReason = "Request body over 64 KiB";
inline constexpr int kDefaultSortCode = 300;

enum class ListKind { Players, Teams, Years, Leagues };

struct Criterion {
    char letter = 0;   // 'A' player, 'B' team, 'C' year, 'D' league, 'E' range limit
    std::string value; // A to D
    int column = -1;   // E
    std::string minimum;
    std::string maximum;
};

using CriteriaGroup = std::vector<Criterion>;

struct ServiceRequest {
    bool isList = false;
    ListKind list = ListKind::Players;
    long long pageStart = 0;
    int pageSize = 0;
    std::vector<int> sortCodes;
    std::vector<CriteriaGroup> groups;
    std::string criteriaText; // the criteria lines as sent, for the result cache key
};

} // namespace statdesk::server
