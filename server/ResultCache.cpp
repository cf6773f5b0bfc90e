#include "ResultCache.h"

namespace statdesk::server {

ResultCache::ResultCache(size_t capacity) : m_capacity(capacity) {}

std::shared_ptr<const QueryResult> ResultCache::find(const std::string& key) {
    const std::lock_guard lock(m_mutex);
    const auto found = m_index.find(key);
    if (found == m_index.end())
        return nullptr;
    m_entries.splice(m_entries.begin(), m_entries, found->second);
    return found->second->second;
}

void ResultCache::insert(const std::string& key, std::shared_ptr<const QueryResult> result) {
    if (m_capacity == 0)
        return;
    const std::lock_guard lock(m_mutex);
    const auto found = m_index.find(key);
    if (found != m_index.end()) {
        found->second->second = std::move(result);
        m_entries.splice(m_entries.begin(), m_entries, found->second);
        return;
    }
    m_entries.emplace_front(key, std::move(result));
    m_index.emplace(key, m_entries.begin());
    if (m_entries.size() > m_capacity) {
        m_index.erase(m_entries.back().first);
        m_entries.pop_back();
    }
}

} // namespace statdesk::server
