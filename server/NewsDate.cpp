#include "NewsDate.h"

#include <array>
#include <ctime>
#include <stdexcept>

namespace statdesk::server {
namespace {

constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> kWeekdays = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

bool isDigits(const std::string& text, size_t from, size_t count) {
    for (size_t i = from; i < from + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

// Four, two and two digits joined by dashes.
bool isIsoShaped(const std::string& text) {
    return text.size() == 10 && text[4] == '-' && text[7] == '-' && isDigits(text, 0, 4) &&
           isDigits(text, 5, 2) && isDigits(text, 8, 2);
}

} // namespace

std::optional<Date> parseIsoDate(const std::string& text) {
    if (!isIsoShaped(text))
        return std::nullopt;
    const Date date{std::chrono::year(std::stoi(text.substr(0, 4))),
                    std::chrono::month(static_cast<unsigned>(std::stoi(text.substr(5, 2)))),
                    std::chrono::day(static_cast<unsigned>(std::stoi(text.substr(8, 2))))};
    return date.ok() ? std::optional(date) : std::nullopt;
}

Date readNewsDate(const std::string& text) {
    if (!isIsoShaped(text))
        throw std::invalid_argument("--news-date wants YYYY-MM-DD, got \"" + text + "\"");
    const auto date = parseIsoDate(text);
    if (!date)
        throw std::invalid_argument("--news-date: there is no such day as \"" + text + "\"");
    return *date;
}

Date localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{std::chrono::year(local.tm_year + 1900),
                std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                std::chrono::day(static_cast<unsigned>(local.tm_mday))};
}

std::string longDate(Date date) {
    return std::string(kMonths[static_cast<unsigned>(date.month()) - 1]) + " " +
           std::to_string(static_cast<unsigned>(date.day())) + ", " +
           std::to_string(static_cast<int>(date.year()));
}

std::string weekdayName(Date date) {
    return kWeekdays[std::chrono::weekday(std::chrono::sys_days(date)).c_encoding()];
}

std::string seasonName(int seasonStart) {
    const int next = (seasonStart + 1) % 100;
    return std::to_string(seasonStart) + "-" + (next < 10 ? "0" : "") + std::to_string(next);
}

} // namespace statdesk::server
