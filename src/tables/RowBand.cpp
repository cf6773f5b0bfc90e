#include "RowBand.h"

#include "RowSource.h"

#include <algorithm>
#include <array>

namespace statdesk {
namespace {

// Keys by AlternateBy. Players: player name, team name, year; 3 comes only from a team window's
// "&League" and gives players their first key again.
constexpr std::array<int, 4> kPlayerKeyFields = {0, 3, 4, 0};
// Teams: team name, year, division, league.
constexpr std::array<int, 4> kTeamKeyFields = {1, 4, 3, 2};

constexpr std::array<NamedColor, 16> kColorChoices = {{
    {"Gray", qRgb(128, 128, 128)},
    {"Maroon", qRgb(128, 0, 0)},
    {"Green", qRgb(0, 128, 0)},
    {"Olive", qRgb(128, 128, 0)},
    {"Navy", qRgb(0, 0, 128)},
    {"Purple", qRgb(128, 0, 128)},
    {"Teal", qRgb(0, 128, 128)},
    {"Black", qRgb(0, 0, 0)},
    {"Silver", qRgb(192, 192, 192)},
    {"Red", qRgb(255, 0, 0)},
    {"Lime", qRgb(0, 255, 0)},
    {"Yellow", qRgb(255, 255, 0)},
    {"Blue", qRgb(0, 0, 255)},
    {"Fuchsia", qRgb(255, 0, 255)},
    {"Aqua", qRgb(0, 255, 255)},
    {"White", qRgb(255, 255, 255)},
}};

} // namespace

ColorSettings& colorSettings() {
    static ColorSettings settings;
    return settings;
}

std::span<const NamedColor> colorChoices() {
    return kColorChoices;
}

QColor bandColor(std::uint8_t band) {
    if (band == kBandColorSet1)
        return colorSettings().ColorSet1;
    if (band == kBandColorSet2)
        return colorSettings().ColorSet2;
    return QColor(0, 0, 128);
}

int alternationField(Family family, int alternateBy) {
    const auto& keys = family == Family::Players ? kPlayerKeyFields : kTeamKeyFields;
    if (alternateBy < 0 || alternateBy >= static_cast<int>(keys.size()))
        alternateBy = 0;
    return keys[static_cast<size_t>(alternateBy)];
}

void computeRowBands(Family family, int alternateBy, const RowSource& rows, int gridLineCount,
                     std::span<std::uint8_t> bands) {
    const int entries = static_cast<int>(bands.size());
    const auto set = [&](int record, std::uint8_t band) {
        if (record >= 0 && record < entries)
            bands[static_cast<size_t>(record)] = band;
    };
    const int field = alternationField(family, alternateBy);
    // Record gridLineCount is the totals line, so the keys of records 1 to gridLineCount - 1 count.
    set(1, kBandColorSet1);
    std::uint8_t band = kBandColorSet1;
    for (int record = 2; record < gridLineCount && record < entries; ++record) {
        if (rows.text(record, field) != rows.text(record - 1, field))
            band = band == kBandColorSet1 ? kBandColorSet2 : kBandColorSet1;
        set(record, band);
    }
    set(gridLineCount, kBandTotals);
    set(gridLineCount + 1, kBandTotals);
}

void RowBands::markRewritten(int first, int last) {
    if (first > last)
        return;
    m_firstRewritten = std::min(m_firstRewritten, first);
    m_lastRewritten = std::max(m_lastRewritten, last);
}

void RowBands::update(Family family, int alternateBy, const RowSource& rows, int gridLineCount) {
    const int field = alternationField(family, alternateBy);
    const int first = m_firstRewritten;
    const int last = m_lastRewritten;
    m_firstRewritten = kNoneRewritten.first;
    m_lastRewritten = kNoneRewritten.second;
    if (field != m_field || gridLineCount != m_gridLineCount) {
        m_field = field;
        m_gridLineCount = gridLineCount;
        computeRowBands(family, alternateBy, rows, gridLineCount, m_bands);
        return;
    }
    if (first > last)
        return;
    // Records 2 to gridLineCount - 1 follow their predecessor; record 1 and the totals line keep
    // their fixed bands while the line count stays.
    const int end = std::min(gridLineCount, static_cast<int>(m_bands.size()));
    int record = std::max(2, first);
    if (record >= end)
        return;
    std::uint8_t band = m_bands[static_cast<size_t>(record - 1)];
    for (; record < end; ++record) {
        if (rows.text(record, field) != rows.text(record - 1, field))
            band = band == kBandColorSet1 ? kBandColorSet2 : kBandColorSet1;
        std::uint8_t& stored = m_bands[static_cast<size_t>(record)];
        if (record > last && stored == band)
            return;
        stored = band;
    }
}

} // namespace statdesk
