#pragma once

#include "ReplyLayout.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace statdesk {

// The rows of one table window: records 1..capacity plus the totals record, all allocated at once
// with fixed-capacity text fields, so reading a page allocates nothing. An unwritten record holds
// empty texts and zeros. Texts are the reply's bytes (Latin-1), kept with trailing blanks.
class RowCache final {
  public:
    static constexpr int TotalsRecord = 0; // record number of the totals row in text()/number()

    RowCache(Family family, int capacity);

    Family family() const { return m_family; }
    int capacity() const { return m_capacity; }
    int fieldCount() const { return m_fieldCount; }

    // Record 1..capacity, or TotalsRecord. A field of the other type gives "" or 0.
    std::string_view text(int record, int field) const;
    double number(int record, int field) const;

    void setText(int record, int field, std::string_view text); // cut to the field's capacity
    void setNumber(int record, int field, double value);
    void clearRecord(int record);
    // True once a reply has put a value into the record; a row never fetched is drawn blank.
    bool isWritten(int record) const { return validRecord(record) && m_written[static_cast<size_t>(record)]; }
    // Bytes held for the records.
    size_t memoryBytes() const;

    // TotalRows + 1 of the last answered page query; 0 until one arrives.
    int GridLineCount() const { return m_gridLineCount; }
    // TotalRows as the service sent it; larger than capacity() when the result was cut.
    long long reportedTotalRows() const { return m_reportedTotalRows; }
    bool resultExceedsCapacity() const { return m_reportedTotalRows > m_capacity; }
    // Stores TotalRows, clamped to 0..capacity for the grid line count.
    void setTotalRows(long long totalRows);

  private:
    struct Slot {
        bool isText;
        int offset;    // into the record's text bytes, or its numbers
        int capacity;  // text bytes kept
        int textIndex; // position among the record's text fields
    };
    bool validRecord(int record) const { return record >= 0 && record <= m_capacity; }

    Family m_family;
    int m_capacity;
    int m_fieldCount;
    std::vector<Slot> m_slots;
    int m_textBytesPerRecord = 0;
    int m_textFieldsPerRecord = 0;
    int m_numbersPerRecord = 0;
    std::vector<char> m_text;
    std::vector<std::uint8_t> m_textLength;
    std::vector<double> m_numbers;
    std::vector<std::uint8_t> m_written;
    int m_gridLineCount = 0;
    long long m_reportedTotalRows = 0;
};

} // namespace statdesk
