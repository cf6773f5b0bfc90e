#include "ResultReader.h"

#include "NumberText.h"
#include "ReplyLines.h"
#include "StatsQueryClient.h"

#include <algorithm>
#include <stdexcept>

namespace statdesk {

ResultReader::ResultReader(THttpCli& http, DatasetKind kind, const RequestState& state, int pageSize)
    : m_http(http), m_kind(kind), m_state(state), m_pageSize(std::clamp(pageSize, 1, kLargestPage)) {}

bool ResultReader::read(long long first, long long count, const RowHandler& row, const Progress& progress) {
    return readPages(
        first, count,
        [&](const ResultPage& page) {
            readPageRows(page, datasetFamily(m_kind), row);
            return true;
        },
        progress);
}

bool ResultReader::readPages(long long first, long long count, const PageHandler& handler,
                             const Progress& progress) {
    long long position = std::max(0LL, first);
    long long end = count < 0 ? -1 : position + count;
    long long done = 0;
    // The first reply tells where the result ends; until then a whole page is asked for.
    while (end < 0 || position < end) {
        const long long wanted = end < 0 ? m_pageSize : std::min<long long>(m_pageSize, end - position);
        m_state.PageStart = static_cast<int>(position);
        m_state.PageSize = static_cast<int>(wanted);
        ResultPage page{PostWithFallback(m_http, m_kind, buildPageQuery(m_state)), position, 0};
        ReplyLineCursor cursor(page.reply);
        std::string_view line;
        if (!cursor.next(line))
            throw std::runtime_error("The statistics service sent an empty reply.");
        m_totalRows = std::max(0LL, readWholeNumber(line));
        end = end < 0 ? m_totalRows : std::min(end, m_totalRows);
        // Blocks past the result's end are blank fillers; they are not rows.
        page.rows = std::clamp<long long>(end - position, 0, wanted);
        const long long rows = page.rows;
        if (!handler(std::move(page)))
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

void readPageRows(const ResultPage& page, Family family, const ResultReader::RowHandler& row) {
    std::vector<std::string_view> fields(static_cast<size_t>(fieldCount(family)));
    ReplyLineCursor cursor(page.reply);
    std::string_view total;
    cursor.next(total);
    for (long long i = 0; i < page.rows; ++i) {
        for (std::string_view& field : fields) {
            if (!cursor.next(field))
                throw std::runtime_error("The statistics service's reply ended in the middle of row " +
                                         std::to_string(page.position + i + 1) + ".");
        }
        row(page.position + i, fields);
    }
}

} // namespace statdesk
