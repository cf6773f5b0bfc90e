#pragma once

#include "DerivedValues.h"

#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace statdesk::server {

// A filtered and ordered result: table row indices in result order, with its totals row.
struct QueryResult {
    std::vector<uint32_t> rows;
    stats::StatRow totals;
};

// The most recently used results, so that paging through one result is cheap. Safe to share
// between the service's threads.
class ResultCache {
  public:
    explicit ResultCache(size_t capacity);

    std::shared_ptr<const QueryResult> find(const std::string& key);
    void insert(const std::string& key, std::shared_ptr<const QueryResult> result);

  private:
    using Entry = std::pair<std::string, std::shared_ptr<const QueryResult>>;

    size_t m_capacity;
    std::mutex m_mutex;
    std::list<Entry> m_entries; // most recent first
    std::unordered_map<std::string, std::list<Entry>::iterator> m_index;
};

} // namespace statdesk::server
