#include "StatTable.h"

#include "ColumnMap.h"
#include "NumberText.h"

#include <cmath>

namespace statdesk::server {
namespace {

double missingValue(Family family, FieldType type) {
    if (family == Family::Players)
        return kPlayerMissing;
    return type == FieldType::Real ? kTeamMissingReal : kTeamMissingInteger;
}

// A reply carries one value per line: bytes that would end a line or the request early become blanks.
void keepOnOneLine(std::string& text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\0' || c == 26)
            c = ' ';
    }
}

// Two-digit years before this pivot belong to the 2000s.
constexpr int kCenturyPivot = 30;

} // namespace

std::string foldText(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    std::string folded(text);
    for (char& c : folded) {
        const auto byte = static_cast<unsigned char>(c);
        // ASCII and the accented capitals of the single-byte Western code page
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
            c = static_cast<char>(byte + 0x20);
    }
    return folded;
}

StatTable::StatTable(Family family)
    : m_family(family), m_text(static_cast<size_t>(fieldCount(family))),
      m_folded(static_cast<size_t>(fieldCount(family))), m_value(static_cast<size_t>(fieldCount(family))) {
    for (const ReplyField& field : replyFields(family))
        m_types.push_back(field.type);
}

void StatTable::appendRow(long long rowKey, int seasonStart, std::vector<std::string> texts,
                          const std::vector<double>& values) {
    m_rowKey.push_back(rowKey);
    m_seasonStart.push_back(seasonStart);
    for (size_t field = 0; field < m_types.size(); ++field) {
        if (m_types[field] == FieldType::Text) {
            std::string text = field < texts.size() ? std::move(texts[field]) : std::string();
            keepOnOneLine(text);
            m_folded[field].push_back(foldText(text));
            m_text[field].push_back(std::move(text));
        } else {
            const double value = field < values.size() ? values[field] : NAN;
            m_value[field].push_back(std::isfinite(value) ? value : missingValue(m_family, m_types[field]));
        }
    }
    m_seasonOfYear.emplace(m_text[kYearField].back(), seasonStart);
}

const std::string& StatTable::text(int field, size_t row) const {
    return m_text[static_cast<size_t>(field)][row];
}

const std::string& StatTable::foldedText(int field, size_t row) const {
    return m_folded[static_cast<size_t>(field)][row];
}

double StatTable::value(int field, size_t row) const {
    return m_value[static_cast<size_t>(field)][row];
}

const std::vector<double>& StatTable::values(int field) const {
    return m_value[static_cast<size_t>(field)];
}

bool StatTable::isMissing(int field, size_t row) const {
    if (m_types[static_cast<size_t>(field)] != FieldType::Text)
        return isMissingValue(m_family, field, value(field, row));
    // Texts carry the sentinels as text ("-999" heights, "-1" divisions).
    const std::string& folded = foldedText(field, row);
    return folded.empty() || folded.front() == '-';
}

int StatTable::seasonOfYearText(const std::string& yearText) const {
    const auto known = m_seasonOfYear.find(yearText);
    if (known != m_seasonOfYear.end())
        return known->second;
    const int firstYear = static_cast<int>((readWholeNumber(yearText) / 100) % 100);
    return firstYear < kCenturyPivot ? 2000 + firstYear : 1900 + firstYear;
}

} // namespace statdesk::server
