#pragma once

#include <string>
#include <string_view>

// Fixed-width cells for the monospaced reference files.
namespace statdesk::shipped {

// The text cut or padded with blanks to exactly width characters.
std::string left(std::string_view text, size_t width);
std::string right(std::string_view text, size_t width);

// "1989-90" for the season starting in 1989.
std::string seasonLabel(int seasonStart);

// ".646", "1.000"; "" when no games.
std::string winningPercentage(int wins, int losses);

// A number with a fixed count of decimals ("33.6").
std::string decimal(double value, int decimals);

// The width of the name column in the award, leader and coach lists.
constexpr size_t kNameWidth = 24;

// A player's name in Windows-1252, shortened to fit width.
std::string playerName(std::string_view utf8, size_t width);

} // namespace statdesk::shipped
