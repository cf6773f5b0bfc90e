#pragma once

#include "EventSink.h"

#include <mutex>
#include <string>
#include <string_view>

namespace statdesk::server {

// Appends usage events to a text file, one per line: UTC time, a tab, the peer address, a tab, the
// event line as received.
class EventLog final : public EventSink {
  public:
    explicit EventLog(std::string path);

    const std::string& path() const { return m_path; }
    // Throws std::runtime_error when the file cannot be written. The file keeps no request identity.
    void append(std::string_view peer, std::string_view line, std::string_view requestId) override;

  private:
    std::string m_path;
    std::mutex m_mutex;
};

} // namespace statdesk::server
