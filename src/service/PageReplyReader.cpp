#include "PageReplyReader.h"

#include "NumberText.h"
#include "ReplyLines.h"
#include "Windows1252.h"

namespace statdesk {
namespace {

// Plain decimals ("-12.345") with few digits convert exactly through one division; anything else
// takes the general reader, which gives the same value.
double readReal(std::string_view text) {
    const char* p = text.data();
    const char* end = p + text.size();
    const bool negative = p < end && *p == '-';
    if (negative)
        ++p;
    long long mantissa = 0;
    int digits = 0;
    int fraction = -1;
    for (; p < end; ++p) {
        if (*p >= '0' && *p <= '9') {
            // Past 15 digits the general reader takes over; counting on would overflow the mantissa.
            if (digits < 15)
                mantissa = mantissa * 10 + (*p - '0');
            ++digits;
            if (fraction >= 0)
                ++fraction;
        } else if (*p == '.' && fraction < 0) {
            fraction = 0;
        } else {
            break;
        }
    }
    constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (p != end || digits == 0 || digits > 15)
        return readRealNumber(text);
    const double value = static_cast<double>(mantissa) / kPowers[fraction > 0 ? fraction : 0];
    return negative ? -value : value;
}

// Reads up to one block into record; false when the lines ran out inside it.
bool readBlock(ReplyLineCursor& cursor, int record, RowCache& rows) {
    const std::span<const ReplyField> fields = replyFields(rows.family());
    std::string_view line;
    for (int field = 0; field < rows.fieldCount(); ++field) {
        if (!cursor.next(line))
            return false;
        switch (fields[static_cast<size_t>(field)].type) {
        case FieldType::Text:
            rows.setText(record, field, line);
            break;
        case FieldType::Integer:
            rows.setNumber(record, field, static_cast<double>(readWholeNumber(line)));
            break;
        case FieldType::Real:
            rows.setNumber(record, field, readReal(line));
            break;
        }
    }
    return true;
}

} // namespace

PageReadResult readPageReply(QByteArrayView reply, int pageStart, int pageSize, RowCache& rows) {
    ReplyLineCursor cursor(reply);
    PageReadResult result;
    std::string_view first;
    if (!cursor.next(first))
        return result;
    result.hadLines = true;
    rows.setTotalRows(readWholeNumber(first));

    for (int i = 1; i <= pageSize; ++i) {
        const long long record = static_cast<long long>(pageStart) + i;
        if (record < 1 || record > rows.capacity())
            return result;
        ReplyLineCursor probe = cursor;
        std::string_view line;
        if (!probe.next(line))
            return result;
        ++result.recordsWritten;
        if (!readBlock(cursor, static_cast<int>(record), rows))
            return result;
    }
    ReplyLineCursor probe = cursor;
    std::string_view line;
    if (!probe.next(line))
        return result;
    result.totalsWritten = true;
    result.complete = readBlock(cursor, RowCache::TotalsRecord, rows);
    return result;
}

QStringList readListReply(QByteArrayView reply) {
    std::vector<std::string_view> lines;
    splitReplyLines(reply, lines);
    QStringList values;
    for (size_t i = 1; i + 1 < lines.size(); ++i)
        values.append(fromWindows1252(lines[i]));
    return values;
}

} // namespace statdesk
