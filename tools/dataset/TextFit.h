#pragma once

#include <string>
#include <string_view>

// Turning source text into the single-byte texts of a reply row.
namespace statdesk::dataset {

// UTF-8 to Windows-1252; letters outside that code page lose their accents (Jokić -> Jokic).
std::string toWindows1252(std::string_view utf8);

// Fits a person's name by shortening first names to initials, left to right, before anything is cut.
std::string fitName(std::string_view name, size_t capacity);

// Cuts a text to its capacity, without a dangling blank.
std::string fitText(std::string_view text, size_t capacity);

} // namespace statdesk::dataset
