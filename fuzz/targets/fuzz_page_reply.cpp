// The page reply reader on any reply bytes, for a page placed anywhere around the cache's capacity.
// Four leading bytes choose the family, the capacity, the page start and the page size.
#include "FuzzSupport.h"
#include "PageReplyReader.h"

using namespace statdesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteReader choices(data, size);
    const Family family = choices.flag() ? Family::Teams : Family::Players;
    const int capacity = 1 + choices.byte() % 200;
    const int pageStart = static_cast<int>(choices.byte()) - 8;
    const int pageSize = choices.byte() % 64;
    const std::string_view reply = choices.rest();

    RowCache rows(family, capacity);
    const PageReadResult result = readPageReply(
        QByteArrayView(reply.data(), static_cast<qsizetype>(reply.size())), pageStart, pageSize, rows);

    FUZZ_CHECK(result.recordsWritten >= 0 && result.recordsWritten <= pageSize);
    FUZZ_CHECK(!result.complete || result.totalsWritten);
    FUZZ_CHECK(result.hadLines || (result.recordsWritten == 0 && !result.totalsWritten));
    FUZZ_CHECK(rows.GridLineCount() >= 0 && rows.GridLineCount() <= capacity + 1);
    // Only the page's own records and the totals record may change.
    for (int record = 1; record <= capacity; ++record) {
        const bool onPage = record > pageStart && record <= pageStart + pageSize;
        FUZZ_CHECK(onPage || !rows.isWritten(record));
    }
    FUZZ_CHECK(result.totalsWritten || !rows.isWritten(RowCache::TotalsRecord));
    const auto fields = replyFields(family);
    for (int record = 0; record <= capacity; ++record) {
        for (int field = 0; field < rows.fieldCount(); ++field)
            FUZZ_CHECK(rows.text(record, field).size() <=
                       static_cast<size_t>(fields[static_cast<size_t>(field)].capacity));
    }
    return 0;
}
