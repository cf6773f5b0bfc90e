#pragma once

#include <atomic>

namespace httplib {
class Server;
}

namespace statdesk::server {

// What the load balancer's check sees at GET /health: 200 "OK" while the service takes requests,
// 503 while it starts or stops, so that no new request is sent to it then.
class ServiceHealth {
  public:
    enum class State { Starting, Serving, Stopping };

    void set(State state) { m_state = state; }
    void install(httplib::Server& server) const;

  private:
    std::atomic<State> m_state{State::Starting};
};

} // namespace statdesk::server
