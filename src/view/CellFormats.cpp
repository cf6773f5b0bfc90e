#include "CellFormats.h"

#include "Windows1252.h"

#include "ColumnCatalogue.h"
#include "RowSource.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace statdesk {
namespace {

constexpr int kTeamGamesField = 5;
constexpr std::string_view kMissing = "---";
constexpr int kSignificantDigits = 18;
constexpr int kMaxDecimals = 9;

// A cell text built on the stack: the largest double in fixed notation with the decimals we use
// fits, so painting allocates only the final QString.
class CellBuffer {
  public:
    void push(char c) {
        if (m_size < kCapacity)
            m_data[m_size++] = c;
    }
    void append(std::string_view text) {
        for (char c : text)
            push(c);
    }
    char* data() { return m_data; }
    int size() const { return m_size; }

    // Blanks on the left up to `width`; a longer text is kept whole.
    QString padded(int width) const {
        const int blanks = std::max(0, width - m_size);
        QString result(blanks + m_size, QLatin1Char(' '));
        QChar* out = result.data() + blanks;
        for (int i = 0; i < m_size; ++i)
            out[i] = QLatin1Char(m_data[i]);
        return result;
    }

  private:
    static constexpr int kCapacity = 400;
    char m_data[kCapacity];
    int m_size = 0;
};

QString paddedText(std::string_view text, int width) {
    CellBuffer buffer;
    buffer.append(text);
    return buffer.padded(width);
}

std::string_view withoutTrailingBlanks(std::string_view text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// Writes `value` in fixed notation with `decimals` places. The rounding is decided on the 18
// significant digits of the value's decimal expansion, halves away from zero: 2.675 is stored as
// 2.67499999999999982 and gives 2.67; 1000.005 is 1000.00499999999999545 and gives 1000.01.
void writeFixed(CellBuffer& out, double value, int decimals) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    char scientific[40];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    // "d.ddddddddddddddddde+XX": digit i has the place value 10^(exponent - i).
    char digits[kSignificantDigits];
    digits[0] = scientific[0];
    std::memcpy(digits + 1, scientific + 2, kSignificantDigits - 1);
    const char* exponentText = scientific + kSignificantDigits + 2;
    if (*exponentText == '+')
        ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, written.ptr, exponent);

    // The value times 10^decimals, rounded, as decimal digits.
    CellBuffer scaled;
    const int kept = exponent + 1 + decimals;
    if (kept <= 0) {
        scaled.push(kept == 0 && digits[0] >= '5' ? '1' : '0');
    } else {
        const int fromDigits = std::min(kept, kSignificantDigits);
        scaled.append(std::string_view(digits, static_cast<size_t>(fromDigits)));
        for (int i = fromDigits; i < kept; ++i)
            scaled.push('0');
        if (kept < kSignificantDigits && digits[kept] >= '5') {
            int i = scaled.size() - 1;
            while (i >= 0 && scaled.data()[i] == '9')
                scaled.data()[i--] = '0';
            if (i >= 0) {
                ++scaled.data()[i];
            } else {
                CellBuffer carried;
                carried.push('1');
                carried.append(std::string_view(scaled.data(), static_cast<size_t>(scaled.size())));
                scaled = carried;
            }
        }
    }

    const std::string_view rounded(scaled.data(), static_cast<size_t>(scaled.size()));
    // A value that rounds to zero is written without a sign.
    if (value < 0 && rounded.find_first_not_of('0') != std::string_view::npos)
        out.push('-');
    const int wholeDigits = static_cast<int>(rounded.size()) - decimals;
    if (wholeDigits <= 0)
        out.push('0');
    else
        out.append(rounded.substr(0, static_cast<size_t>(wholeDigits)));
    if (decimals == 0)
        return;
    out.push('.');
    for (int i = wholeDigits; i < 0; ++i)
        out.push('0');
    out.append(rounded.substr(static_cast<size_t>(std::max(wholeDigits, 0))));
}

bool isMissingReal(Family family, double value) {
    return value == (family == Family::Players ? double(kPlayerMissing) : kTeamMissingReal);
}

QString realCell(double value, int width, int decimals, bool fraction) {
    if (!std::isfinite(value)) // cannot come from a reply; show no garbage
        return paddedText(kMissing, width);
    CellBuffer buffer;
    writeFixed(buffer, value, decimals);
    if (fraction) {
        char* text = buffer.data();
        const int start = text[0] == '-' ? 1 : 0;
        if (text[start] == '0' && (start + 1 == buffer.size() || text[start + 1] == '.'))
            text[start] = ' ';
    }
    return buffer.padded(width);
}

} // namespace

long long wholeValue(double value) {
    // Whole-number fields hold values read by readWholeNumber; clamp only so the cast stays defined.
    constexpr double limit = 9.2e18;
    return static_cast<long long>(std::clamp(value, -limit, limit));
}

QString IntCell(Family family, long long value, int width) {
    const bool missing = family == Family::Players ? value == kPlayerMissing : value < 0;
    if (missing)
        return paddedText(kMissing, width);
    CellBuffer buffer;
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    buffer.append(std::string_view(digits, static_cast<size_t>(written.ptr - digits)));
    return buffer.padded(width);
}

QString RealCell(Family family, double value, int width, int decimals) {
    if (isMissingReal(family, value))
        return paddedText(kMissing, width);
    return realCell(value, width, decimals, false);
}

QString FractionCell(Family family, double value, int width, int decimals) {
    if (isMissingReal(family, value))
        return paddedText(kMissing, width);
    return realCell(value, width, decimals, true);
}

QString SignedRealCell(double value, int width, int decimals) {
    return realCell(value, width, decimals, false);
}

QString TextCell(std::string_view text) {
    return fromWindows1252(withoutTrailingBlanks(text));
}

QString HeightCell(std::string_view text) {
    if (text.find("-999") != std::string_view::npos)
        return QString::fromLatin1(kMissing.data(), static_cast<qsizetype>(kMissing.size()));
    return TextCell(text);
}

QString DivisionCell(std::string_view text) {
    if (withoutTrailingBlanks(text).starts_with('-'))
        return QString::fromLatin1(kMissing.data(), static_cast<qsizetype>(kMissing.size()));
    return TextCell(text);
}

QString headerText(Family family, int column, int line) {
    const auto all = columns(family);
    if (column < 0 || column >= static_cast<int>(all.size()))
        return {};
    const ColumnInfo& info = all[static_cast<size_t>(column)];
    const std::string_view text = line == 0 ? info.header1 : info.header2;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString cellText(Family family, int column, RowKind kind, const RowSource& rows, int record) {
    const auto all = columns(family);
    if (column < 0 || column >= static_cast<int>(all.size()))
        return {};
    const ColumnInfo& info = all[static_cast<size_t>(column)];
    const CellFormat& format = kind == RowKind::Totals ? info.totals : info.data;
    const int field = format.field;
    switch (format.kind) {
    case CellKind::Blank:
        return {};
    case CellKind::Text:
        return TextCell(rows.text(record, field));
    case CellKind::Height:
        return HeightCell(rows.text(record, field));
    case CellKind::Division:
        return DivisionCell(rows.text(record, field));
    case CellKind::Int:
        return IntCell(family, wholeValue(rows.number(record, field)), format.width);
    case CellKind::Real:
        return RealCell(family, rows.number(record, field), format.width, format.decimals);
    case CellKind::Fraction:
        return FractionCell(family, rows.number(record, field), format.width, format.decimals);
    case CellKind::SignedReal:
        return SignedRealCell(rows.number(record, field), format.width, format.decimals);
    case CellKind::PerGame: {
        double games = rows.number(record, kTeamGamesField);
        if (games == 0)
            games = 1;
        return RealCell(family, rows.number(record, field) / games, format.width, format.decimals);
    }
    }
    return {};
}

} // namespace statdesk
