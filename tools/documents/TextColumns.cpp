#include "TextColumns.h"

#include "Seasons.h"
#include "TextFit.h"

#include <cstdio>

namespace statdesk::shipped {

std::string left(std::string_view text, size_t width) {
    std::string cell(text.substr(0, width));
    cell.resize(width, ' ');
    return cell;
}

std::string right(std::string_view text, size_t width) {
    if (text.size() >= width)
        return std::string(text.substr(0, width));
    return std::string(width - text.size(), ' ') + std::string(text);
}

std::string seasonLabel(int seasonStart) {
    return std::to_string(seasonStart) + "-" + dataset::seasonText(seasonStart).substr(2);
}

std::string winningPercentage(int wins, int losses) {
    if (wins + losses <= 0)
        return {};
    // Rounded to thousandths, then written without the leading zero as the standings do.
    const long thousandths = (2000L * wins + (wins + losses)) / (2L * (wins + losses));
    if (thousandths >= 1000)
        return "1.000";
    char text[24];
    std::snprintf(text, sizeof text, ".%03ld", thousandths);
    return text;
}

std::string decimal(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string playerName(std::string_view utf8, size_t width) {
    return dataset::fitName(dataset::toWindows1252(utf8), width);
}

} // namespace statdesk::shipped
