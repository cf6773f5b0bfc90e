#include "ServiceHealth.h"

#include "RoutePattern.h"

#include <httplib.h>

namespace statdesk::server {

void ServiceHealth::install(httplib::Server& server) const {
    server.Get(literalPattern("/health"), [this](const httplib::Request&, httplib::Response& response) {
        const State state = m_state;
        if (state == State::Serving) {
            response.set_content("OK\r\n", "text/plain");
            return;
        }
        response.status = 503;
        response.set_content(state == State::Starting ? "Starting\r\n" : "Stopping\r\n", "text/plain");
    });
}

} // namespace statdesk::server
