// The service's request parser on any request body, for either family. It refuses with 400 or 413
// and a reason, or gives a request inside the grammar's limits.
#include "ColumnMap.h"
#include "FuzzSupport.h"
#include "RequestError.h"
#include "RequestParser.h"

using namespace statdesk;
using namespace statdesk::server;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const Family family = data[0] & 1 ? Family::Teams : Family::Players;
    const std::string_view body(reinterpret_cast<const char*>(data) + 1, size - 1);
    ServiceRequest request;
    try {
        request = parseRequest(body, family);
    } catch (const RequestError& error) {
        FUZZ_CHECK(error.status() == 400 || error.status() == 413);
        FUZZ_CHECK(std::string_view(error.what()).size() > 0);
        return 0;
    }
    FUZZ_CHECK(body.size() <= kMaxBodyBytes && body.ends_with("\r\n\x1a"));
    FUZZ_CHECK(request.pageStart >= 0);
    FUZZ_CHECK(request.pageSize >= 0 && request.pageSize <= kMaxPageSize);
    if (request.isList) {
        FUZZ_CHECK(request.pageStart == 0 && request.pageSize == 0 && request.sortCodes.empty());
        FUZZ_CHECK(family == Family::Players || request.list != ListKind::Players);
    } else {
        FUZZ_CHECK(request.sortCodes.size() >= 1 && request.sortCodes.size() <= 4);
    }
    size_t criteria = 0;
    for (const CriteriaGroup& group : request.groups) {
        for (const Criterion& criterion : group) {
            ++criteria;
            FUZZ_CHECK(criterion.letter >= 'A' && criterion.letter <= 'E');
            if (criterion.letter == 'E')
                FUZZ_CHECK(criterion.column >= 0 && criterion.column < columnCount(family));
            for (const std::string* text : {&criterion.value, &criterion.minimum, &criterion.maximum}) {
                FUZZ_CHECK(text->size() < static_cast<size_t>(kMaxCriterionLength));
                FUZZ_CHECK(text->find_first_of(std::string_view("\r\n\x1a\0", 4)) == std::string::npos);
            }
        }
    }
    FUZZ_CHECK(criteria <= static_cast<size_t>(kMaxCriteriaLines));
    // Each criterion line went into the cache key as it was sent.
    FUZZ_CHECK(request.criteriaText.size() <= body.size());
    return 0;
}
