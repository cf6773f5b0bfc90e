#pragma once

#include "Dataset.h"
#include "ResultCache.h"
#include "ServiceRequest.h"
#include "StatTable.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace statdesk::server {

// Answers the requests of the four dataset endpoints from the tables read at start.
class QueryEngine {
  public:
    static constexpr size_t kDefaultCacheSize = 64;

    explicit QueryEngine(std::vector<StatTable> tables, size_t cacheSize = kDefaultCacheSize);

    // The whole reply body for a request body; throws RequestError for a request it refuses.
    std::string answer(Dataset dataset, std::string_view body);

    std::shared_ptr<const QueryResult> result(Dataset dataset, const ServiceRequest& request);
    std::vector<std::string> listValues(Dataset dataset, const ServiceRequest& request) const;
    const StatTable& table(Dataset dataset) const;

  private:
    std::string pageReply(Dataset dataset, const ServiceRequest& request);
    std::string listReply(Dataset dataset, const ServiceRequest& request) const;

    std::vector<StatTable> m_tables;
    ResultCache m_cache;
};

} // namespace statdesk::server
