#include "ServiceServer.h"

#include "RawRequestStream.h"
#include "ServiceRequest.h"

#include <sys/socket.h>
#include <unistd.h>

namespace statdesk::server {
namespace {

constexpr int kListenQueue = 1024;

// The accepting thread hands each connection straight to the collector, which never blocks.
class InlineTasks final : public httplib::TaskQueue {
  public:
    void enqueue(std::function<void()> task) override { task(); }
    void shutdown() override {}
};

void closeConnection(socket_t socket) {
    shutdown(socket, SHUT_RDWR);
    close(socket);
}

std::chrono::steady_clock::time_point secondsFromNow(time_t seconds) {
    return std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
}

} // namespace

ServiceServer::ServiceServer()
    : m_workers(kWorkerThreads), m_collector(kMaxBodyBytes, [this](RequestCollector::Connection connection) {
          m_workers.enqueue([this, connection] { serve(connection); });
      }) {
    new_task_queue = [] { return new InlineTasks; };
}

ServiceServer::~ServiceServer() {
    m_collector.stop();
    m_workers.shutdown();
}

int ServiceServer::bindTo(const std::string& host, int port) {
    const int bound = port == 0 ? bind_to_any_port(host) : (bind_to_port(host, port) ? port : -1);
    if (bound > 0 && ::listen(svr_sock_, kListenQueue) != 0)
        return -1;
    return bound > 0 ? bound : -1;
}

bool ServiceServer::process_and_close_socket(socket_t socket) {
    m_collector.admit(std::make_shared<WaitingConnection>(
        WaitingConnection{socket, {}, keep_alive_max_count_, secondsFromNow(read_timeout_sec_)}));
    return true;
}

// One complete request; a connection kept alive goes back to the collector for its next one.
void ServiceServer::serve(const RequestCollector::Connection& connection) {
    RawRequestStream stream(connection->socket, read_timeout_sec_, write_timeout_sec_,
                            std::move(connection->received), connection->deadline);
    if (!stream.startRequest()) {
        closeConnection(connection->socket);
        return;
    }
    // A request that arrived before the stop is still answered, as the connection's last.
    const bool last = connection->requestsLeft <= 1 || !stream.mayKeepAlive() || svr_sock_ == INVALID_SOCKET;
    bool closed = false;
    const bool answered = process_request(stream, last, closed, nullptr);
    if (!answered || closed || last || svr_sock_ == INVALID_SOCKET) {
        closeConnection(connection->socket);
        return;
    }
    connection->received = stream.takeUnread();
    --connection->requestsLeft;
    connection->deadline = secondsFromNow(keep_alive_timeout_sec_);
    m_collector.admit(connection);
}

} // namespace statdesk::server
