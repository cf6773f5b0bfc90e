#include "ResultReader.h"

#include "NumberText.h"
#include "ReplyLines.h"
#include "StatsQueryClient.h"

#include <algorithm>
#include <stdexcept>

namespace statdesk {

ResultPage::ResultPage(QByteArray reply, qsizetype rowsOffset, long long position, long long rows)
    : m_reply(std::move(reply)), m_rowsOffset(rowsOffset), m_position(position), m_rows(rows) {}

void ResultPage::readRows(std::vector<std::string_view>& fields, const RowHandler& row) const {
    ReplyLineCursor cursor(QByteArrayView(m_reply).sliced(m_rowsOffset));
    for (long long i = 0; i < m_rows; ++i) {
        for (std::string_view& field : fields) {
            if (!cursor.next(field))
                throw std::runtime_error("The statistics service's reply ended in the middle of row " +
                                         std::to_string(m_position + i + 1) + ".");
        }
        row(m_position + i, fields);
    }
}

ResultReader::ResultReader(THttpCli& http, DatasetKind kind, const RequestState& state, int pageSize)
    : m_http(http), m_kind(kind), m_state(state), m_pageSize(std::clamp(pageSize, 1, kLargestPage)),
      m_fields(static_cast<size_t>(fieldCount(datasetFamily(kind)))) {}

bool ResultReader::read(long long first, long long count, const RowHandler& row, const Progress& progress) {
    return readPages(
        first, count,
        [&](const ResultPage& page) {
            page.readRows(m_fields, row);
            return true;
        },
        progress);
}

bool ResultReader::readPages(long long first, long long count, const PageHandler& handlePage,
                             const Progress& progress) {
    long long position = std::max(0LL, first);
    long long end = count < 0 ? -1 : position + count;
    long long done = 0;
    // The first reply tells where the result ends; until then a whole page is asked for.
    while (end < 0 || position < end) {
        const long long wanted = end < 0 ? m_pageSize : std::min<long long>(m_pageSize, end - position);
        m_state.PageStart = static_cast<int>(position);
        m_state.PageSize = static_cast<int>(wanted);
        QByteArray reply = PostWithFallback(m_http, m_kind, buildPageQuery(m_state));
        ReplyLineCursor cursor(reply);
        std::string_view line;
        if (!cursor.next(line))
            throw std::runtime_error("The statistics service sent an empty reply.");
        m_totalRows = std::max(0LL, readWholeNumber(line));
        end = end < 0 ? m_totalRows : std::min(end, m_totalRows);
        // Blocks past the result's end are blank fillers; they are not rows.
        const long long rows = std::clamp<long long>(end - position, 0, wanted);
        const qsizetype rowsOffset = cursor.position() - reply.constData();
        if (rows > 0 && !handlePage(ResultPage(std::move(reply), rowsOffset, position, rows)))
            return false;
        position += rows;
        done += rows;
        if (progress && !progress(done, std::max(0LL, end - std::max(0LL, first))))
            return false;
        if (rows == 0)
            break;
    }
    return true;
}

} // namespace statdesk
