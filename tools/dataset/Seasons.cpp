#include "Seasons.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace statdesk::dataset {

std::string seasonText(int seasonStart) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d%02d", seasonStart % 100, (seasonStart + 1) % 100);
    return text;
}

int yearOf(const std::string& text) {
    if (text.size() != 4 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw std::runtime_error("bad year \"" + text + "\"");
    return std::stoi(text);
}

bool isRecorded(std::string_view league, int seasonStart, Stat stat) {
    // The ABA kept the box score of its day from its first season and had the three-point line throughout;
    // its split rebounds, steals, blocks and turnovers depend on the season and are judged from the data.
    if (league == "ABA")
        return true;
    switch (stat) {
    case Stat::Minutes:
        return seasonStart >= 1951;
    case Stat::Rebounds:
        return seasonStart >= 1950;
    case Stat::SplitRebounds:
    case Stat::Steals:
    case Stat::Blocks:
        return seasonStart >= 1973;
    case Stat::Turnovers:
        return seasonStart >= 1977;
    case Stat::ThreePointers:
        return seasonStart >= 1979;
    }
    return false;
}

std::string heightText(int inches) {
    return std::to_string(inches / 12) + "-" + std::to_string(inches % 12);
}

} // namespace statdesk::dataset
