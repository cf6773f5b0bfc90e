#pragma once

#include "ReplyLayout.h"

#include <QColor>

#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

// The alternating row colours of the table grids.
namespace statdesk {

class RowSource;

// Entries of a window's RowBand array, indexed by record number from 1.
inline constexpr std::uint8_t kBandColorSet1 = 0;
inline constexpr std::uint8_t kBandColorSet2 = 1;
inline constexpr std::uint8_t kBandTotals = 3;
inline constexpr int kRowBandEntries = 40000;

// One choice for all table windows of the run; not saved.
struct ColorSettings {
    int AlternateBy = 0; // 0 to 3, the key column per family (alternationField)
    QColor ColorSet1{0, 0, 255};
    QColor ColorSet2{255, 0, 0};
};

ColorSettings& colorSettings();

struct NamedColor {
    std::string_view name;
    QRgb rgb;
};

// The sixteen colours of each colour group: left column top to bottom, then the right column.
std::span<const NamedColor> colorChoices();

// The text colour of a band: ColorSet1, ColorSet2, or navy for the totals line.
QColor bandColor(std::uint8_t band);

// The reply field whose change starts a new band.
int alternationField(Family family, int alternateBy);

// Fills bands[1..gridLineCount + 1] for the records of `rows` (gridLineCount = TotalRows + 1): a
// record takes the band of the one before while the key field's text is exactly equal, the other
// band when it changes; records gridLineCount and gridLineCount + 1 are the totals line. Entries
// beyond the span are left out.
void computeRowBands(Family family, int alternateBy, const RowSource& rows, int gridLineCount,
                     std::span<std::uint8_t> bands);

// A window's bands, kept up to date from reply to reply. A band follows from the band before it and
// the key texts of its record and the one before, so after a reply that rewrote records first..last
// under the same key field and line count, only the bands from `first` on can change, and the first
// band past `last` that comes out as it was ends the walk. Scrolling one row then costs a page
// of comparisons instead of one per record. Any other change recomputes them all.
class RowBands final {
  public:
    RowBands() : m_bands(kRowBandEntries + 1, kBandColorSet1) {}

    // Records first..last may hold other texts from now on; spans add up until the next update.
    void markRewritten(int first, int last);
    // The same bands as computeRowBands over the whole array.
    void update(Family family, int alternateBy, const RowSource& rows, int gridLineCount);
    const std::vector<std::uint8_t>& values() const { return m_bands; }

  private:
    std::vector<std::uint8_t> m_bands;
    int m_field = -1; // of the last update; -1 before the first
    int m_gridLineCount = 0;
    // An empty span that any marked span replaces.
    static constexpr std::pair<int, int> kNoneRewritten{std::numeric_limits<int>::max(),
                                                        std::numeric_limits<int>::min()};
    int m_firstRewritten = kNoneRewritten.first;
    int m_lastRewritten = kNoneRewritten.second;
};

} // namespace statdesk
