#include "TextFit.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>
#include <sstream>
#include <vector>

namespace statdesk::dataset {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0 where the code page leaves a byte undefined.
constexpr std::array<char32_t, 32> kHighBytes = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (size_t i = 0; i < kHighBytes.size(); ++i) {
        if (kHighBytes[i] == c && c != 0)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// Letters that do not decompose into a base letter and marks.
char plainLetter(char32_t c) {
    switch (c) {
    case 0x0110:
        return 'D';
    case 0x0111:
        return 'd';
    case 0x0141:
        return 'L';
    case 0x0142:
        return 'l';
    case 0x0131:
        return 'i';
    case 0x0126:
        return 'H';
    case 0x0127:
        return 'h';
    default:
        return '?';
    }
}

bool isSuffix(const std::string& word) {
    return word == "Jr." || word == "Sr." || word == "Jr" || word == "Sr" || word == "II" || word == "III" ||
           word == "IV" || word == "V";
}

std::string join(const std::vector<std::string>& words) {
    std::string out;
    for (const auto& w : words)
        out += (out.empty() ? "" : " ") + w;
    return out;
}

} // namespace

std::string toWindows1252(std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    std::string out;
    for (char32_t c : text.toUcs4()) {
        if (const auto byte = windows1252Byte(c)) {
            out += *byte;
            continue;
        }
        const QString parts = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
        std::string kept;
        for (char32_t part : parts.toUcs4()) {
            if (const auto byte = windows1252Byte(part))
                kept += *byte;
        }
        out += kept.empty() ? std::string(1, plainLetter(c)) : kept;
    }
    return out;
}

std::string fitName(std::string_view name, size_t capacity) {
    if (name.size() <= capacity)
        return std::string(name);
    std::vector<std::string> words;
    std::istringstream in{std::string(name)};
    for (std::string w; in >> w;)
        words.push_back(w);
    size_t surname = words.empty() ? 0 : words.size() - 1;
    if (surname > 0 && isSuffix(words[surname]))
        --surname;
    for (size_t i = 0; i < surname; ++i) {
        if (words[i].size() > 2)
            words[i] = words[i].substr(0, 1) + ".";
        const std::string shorter = join(words);
        if (shorter.size() <= capacity)
            return shorter;
    }
    return fitText(join(words), capacity);
}

std::string fitText(std::string_view text, size_t capacity) {
    std::string out(text.substr(0, capacity));
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

} // namespace statdesk::dataset
