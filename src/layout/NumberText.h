#pragma once

#include <string>
#include <string_view>

// How numbers travel as text between the client and the service.
namespace statdesk {

// Whole number: everything from the first "." on is dropped, leading blanks skipped, an optional
// sign and the digits up to the first other character give the value; no digits give 0 ("12.9" -> 12).
long long readWholeNumber(std::string_view text);
// The same, held to the range of an int: positions, widths and counts the user or a file types.
int readWholeInt(std::string_view text);

// Real number with "." as the decimal point whatever the locale; text that is no number gives 0.
double readRealNumber(std::string_view text);

// Plain decimal, "-" for negatives, "." as the decimal point.
std::string writeWholeNumber(long long value);
std::string writeRealNumber(double value);

} // namespace statdesk
