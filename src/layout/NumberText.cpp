#include "NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace statdesk {

long long readWholeNumber(std::string_view text) {
    text = text.substr(0, text.find('.'));
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    constexpr long long max = std::numeric_limits<long long>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        // Absurdly long input saturates instead of overflowing.
        value = value > (max - digit) / 10 ? max : value * 10 + digit;
    }
    return negative ? -value : value;
}

int readWholeInt(std::string_view text) {
    return static_cast<int>(std::clamp<long long>(readWholeNumber(text), std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

double readRealNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double value = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

std::string writeWholeNumber(long long value) {
    return std::to_string(value);
}

std::string writeRealNumber(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

} // namespace statdesk
