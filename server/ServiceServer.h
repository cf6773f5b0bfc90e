#pragma once

#include <httplib.h>

namespace statdesk::server {

// The library's server with the connection stream swapped for RawRequestStream; accepting, the
// thread pool, request parsing and routing stay the library's.
class ServiceServer final : public httplib::Server {
  public:
    // Binds host:port (0: any free port) and returns the port, or -1. The listen queue is made long
    // enough for many clients connecting at once; the library's own is a handful.
    int bindTo(const std::string& host, int port);

  private:
    bool process_and_close_socket(socket_t socket) override;
};

} // namespace statdesk::server
