#pragma once

#include "RequestCollector.h"

#include <httplib.h>

namespace statdesk::server {

// The library's server with its connection handling replaced: a RequestCollector holds each
// connection until its request is complete, and only then does a worker parse, route and answer it
// (the library's own), through RawRequestStream. A slow or silent client never holds a worker.
class ServiceServer final : public httplib::Server {
  public:
    // Workers only answer complete requests, so a few cover many clients.
    static constexpr size_t kWorkerThreads = 32;

    ServiceServer();
    ~ServiceServer() override;
    ServiceServer(const ServiceServer&) = delete;
    ServiceServer& operator=(const ServiceServer&) = delete;

    // Binds host:port (0: any free port) and returns the port, or -1. The listen queue is made long
    // enough for many clients connecting at once; the library's own is a handful.
    int bindTo(const std::string& host, int port);

  private:
    bool process_and_close_socket(socket_t socket) override;
    void serve(const RequestCollector::Connection& connection);

    httplib::ThreadPool m_workers;
    RequestCollector m_collector;
};

} // namespace statdesk::server
