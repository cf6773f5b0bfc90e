#pragma once

#include <string>
#include <string_view>

// Season naming and what each era of each league recorded.
namespace statdesk::dataset {

// "7475" for the season starting in 1974, "9900" for 1999-00.
std::string seasonText(int seasonStart);

// Sources name a season by the year it starts ("START") or the year it ends ("END").
inline int startFromEndYear(int endYear) {
    return endYear - 1;
}

// A source's year column: four digits. Throws std::runtime_error naming the text otherwise, so that
// a damaged file stops the build with a reason instead of a bare "stoi" or a year no season has.
int yearOf(const std::string& text);

enum class Stat { Minutes, Rebounds, SplitRebounds, Steals, Blocks, Turnovers, ThreePointers };

// Whether a league kept this statistic in the season starting in seasonStart.
bool isRecorded(std::string_view league, int seasonStart, Stat stat);

// "6-9" from 81 inches.
std::string heightText(int inches);

} // namespace statdesk::dataset
