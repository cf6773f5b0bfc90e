#pragma once

#include <chrono>
#include <optional>
#include <string>

// Calendar dates of the news site: the "today" it tells about and the dates of the games it tells.
namespace statdesk::server {

using Date = std::chrono::year_month_day;

// "2024-03-02" as a date; nothing when it is not one.
std::optional<Date> parseIsoDate(const std::string& text);
// The same for the --news-date option; throws std::invalid_argument naming what is wrong.
Date readNewsDate(const std::string& text);

// The service host's local date now.
Date localToday();

// "March 2, 1962".
std::string longDate(Date date);
// "Friday".
std::string weekdayName(Date date);
// "1961-62" for the season starting in 1961.
std::string seasonName(int seasonStart);

} // namespace statdesk::server
