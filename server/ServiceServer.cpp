#include "ServiceServer.h"

#include "RawRequestStream.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace statdesk::server {
namespace {

constexpr int kListenQueue = 1024;

bool waitForRequest(socket_t connection, time_t seconds) {
    pollfd watched{connection, POLLIN, 0};
    int ready = 0;
    do {
        ready = poll(&watched, 1, static_cast<int>(seconds * 1000));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

} // namespace

int ServiceServer::bindTo(const std::string& host, int port) {
    const int bound = port == 0 ? bind_to_any_port(host) : (bind_to_port(host, port) ? port : -1);
    if (bound > 0 && ::listen(svr_sock_, kListenQueue) != 0)
        return -1;
    return bound > 0 ? bound : -1;
}

bool ServiceServer::process_and_close_socket(socket_t socket) {
    RawRequestStream stream(socket, read_timeout_sec_, write_timeout_sec_);
    bool answered = true;
    for (size_t left = keep_alive_max_count_; left > 0 && answered; --left) {
        if (svr_sock_ == INVALID_SOCKET ||
            (!stream.hasPendingBytes() && !waitForRequest(socket, keep_alive_timeout_sec_)))
            break;
        if (!stream.startRequest())
            break;
        const bool last = left == 1 || !stream.mayKeepAlive();
        bool closed = false;
        answered = process_request(stream, last, closed, nullptr);
        if (closed || last)
            break;
    }
    shutdown(socket, SHUT_RDWR);
    close(socket);
    return answered;
}

} // namespace statdesk::server
