#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace statdesk::server {

// Where the usage events go: a local file, or a database shared by every replica.
class EventSink {
  public:
    virtual ~EventSink() = default;

    // Returns once the event is stored for good; throws std::runtime_error when it cannot be.
    // requestId: the load balancer's identity of the request (empty without one), the same on each
    // retry of it, so that a retried event is stored once.
    virtual void append(std::string_view peer, std::string_view line, std::string_view requestId) = 0;

    // target: a file path, or a postgresql:// connection address; replica names this process in
    // the stored events and spoolPath is where events wait while the database is out of reach.
    static std::unique_ptr<EventSink> open(const std::string& target, const std::string& replica,
                                           const std::string& spoolPath);
};

} // namespace statdesk::server
