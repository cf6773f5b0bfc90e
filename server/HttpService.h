#pragma once

#include "EventLog.h"
#include "QueryEngine.h"
#include "SiteConfig.h"

namespace httplib {
class Server;
}

namespace statdesk::server {

inline constexpr int kReadTimeoutSeconds = 10;
inline constexpr size_t kWorkerThreads = 32;

// The service's endpoints on one HTTP server: the four dataset endpoints, the version list, the
// brand settings, the update notice and the usage events. Shared by every listening address.
class HttpService {
  public:
    HttpService(QueryEngine& engine, SiteConfig config, EventLog& events);

    void install(httplib::Server& server);

  private:
    QueryEngine& m_engine;
    SiteConfig m_config;
    EventLog& m_events;
};

} // namespace statdesk::server
