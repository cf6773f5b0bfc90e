#include "RowCache.h"

#include <algorithm>
#include <cstring>

namespace statdesk {

RowCache::RowCache(Family family, int capacity)
    : m_family(family), m_capacity(std::max(capacity, 0)), m_fieldCount(statdesk::fieldCount(family)) {
    for (const ReplyField& field : replyFields(family)) {
        if (field.type == FieldType::Text) {
            m_slots.push_back({true, m_textBytesPerRecord, field.capacity, m_textFieldsPerRecord});
            m_textBytesPerRecord += field.capacity;
            ++m_textFieldsPerRecord;
        } else {
            m_slots.push_back({false, m_numbersPerRecord, 0, 0});
            ++m_numbersPerRecord;
        }
    }
    // Record 0 is the totals record, so record numbers index directly.
    const size_t records = static_cast<size_t>(m_capacity) + 1;
    m_text.assign(records * static_cast<size_t>(m_textBytesPerRecord), ' ');
    m_textLength.assign(records * static_cast<size_t>(m_textFieldsPerRecord), 0);
    m_numbers.assign(records * static_cast<size_t>(m_numbersPerRecord), 0.0);
    m_written.assign(records, 0);
}

std::string_view RowCache::text(int record, int field) const {
    if (!validRecord(record) || field < 0 || field >= m_fieldCount)
        return {};
    const Slot& slot = m_slots[static_cast<size_t>(field)];
    if (!slot.isText)
        return {};
    const size_t base = static_cast<size_t>(record) * static_cast<size_t>(m_textBytesPerRecord);
    const size_t lengthIndex = static_cast<size_t>(record) * static_cast<size_t>(m_textFieldsPerRecord);
    return {m_text.data() + base + static_cast<size_t>(slot.offset),
            m_textLength[lengthIndex + static_cast<size_t>(slot.textIndex)]};
}

double RowCache::number(int record, int field) const {
    if (!validRecord(record) || field < 0 || field >= m_fieldCount)
        return 0;
    const Slot& slot = m_slots[static_cast<size_t>(field)];
    if (slot.isText)
        return 0;
    return m_numbers[static_cast<size_t>(record) * static_cast<size_t>(m_numbersPerRecord) +
                     static_cast<size_t>(slot.offset)];
}

void RowCache::setText(int record, int field, std::string_view text) {
    if (!validRecord(record) || field < 0 || field >= m_fieldCount)
        return;
    const Slot& slot = m_slots[static_cast<size_t>(field)];
    if (!slot.isText)
        return;
    m_written[static_cast<size_t>(record)] = 1;
    const size_t length = std::min(text.size(), static_cast<size_t>(slot.capacity));
    char* target = m_text.data() + static_cast<size_t>(record) * static_cast<size_t>(m_textBytesPerRecord) +
                   static_cast<size_t>(slot.offset);
    if (length > 0) // an empty view may carry no pointer at all
        std::memcpy(target, text.data(), length);
    m_textLength[static_cast<size_t>(record) * static_cast<size_t>(m_textFieldsPerRecord) +
                 static_cast<size_t>(slot.textIndex)] = static_cast<std::uint8_t>(length);
}

void RowCache::setNumber(int record, int field, double value) {
    if (!validRecord(record) || field < 0 || field >= m_fieldCount)
        return;
    const Slot& slot = m_slots[static_cast<size_t>(field)];
    if (slot.isText)
        return;
    m_written[static_cast<size_t>(record)] = 1;
    m_numbers[static_cast<size_t>(record) * static_cast<size_t>(m_numbersPerRecord) +
              static_cast<size_t>(slot.offset)] = value;
}

void RowCache::clearRecord(int record) {
    if (!validRecord(record))
        return;
    for (int field = 0; field < m_fieldCount; ++field) {
        setText(record, field, {});
        setNumber(record, field, 0);
    }
    m_written[static_cast<size_t>(record)] = 0;
}

size_t RowCache::memoryBytes() const {
    return m_text.capacity() + m_textLength.capacity() + m_numbers.capacity() * sizeof(double) +
           m_written.capacity();
}

void RowCache::setTotalRows(long long totalRows) {
    m_reportedTotalRows = totalRows;
    m_gridLineCount = static_cast<int>(std::clamp<long long>(totalRows, 0, m_capacity)) + 1;
}

} // namespace statdesk
