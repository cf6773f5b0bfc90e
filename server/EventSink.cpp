#include "EventSink.h"

#include "EventLog.h"
#include "PostgresEventLog.h"

namespace statdesk::server {

std::unique_ptr<EventSink> EventSink::open(const std::string& target, const std::string& replica,
                                           const std::string& spoolPath) {
    if (target.starts_with("postgresql://") || target.starts_with("postgres://"))
        return std::make_unique<PostgresEventLog>(target, replica, spoolPath);
    return std::make_unique<EventLog>(target);
}

} // namespace statdesk::server
