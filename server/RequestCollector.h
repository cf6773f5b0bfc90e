#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace statdesk::server {

// A connection waiting for its next request: the socket and what has arrived of the request.
struct WaitingConnection {
    socket_t socket;
    std::string received;
    size_t requestsLeft;
    std::chrono::steady_clock::time_point deadline;
    size_t drainLeft = 0; // > 0: refused; what the client still sends is read and dropped
};

// Holds connections on one polling thread until their request has arrived whole, so that a client
// that sends slowly or nothing at all costs a socket and a buffer instead of a worker thread. A
// complete request goes to the ready callback. A request too large to accept is refused here, since
// the library would read all of its body on a worker; a connection that closes first or misses its
// deadline is closed.
class RequestCollector final {
  public:
    using Connection = std::shared_ptr<WaitingConnection>;
    using Ready = std::function<void(Connection)>;

    static constexpr size_t kMaxWaiting = 4096;
    static constexpr size_t kMaxHeadBytes = 16 * 1024;

    enum class Verdict { Incomplete, Complete, BodyTooLarge, HeadTooLarge };

    RequestCollector(size_t maxBodyBytes, Ready ready);
    ~RequestCollector();
    RequestCollector(const RequestCollector&) = delete;
    RequestCollector& operator=(const RequestCollector&) = delete;

    // From any thread; after stop() the connection is closed at once.
    void admit(Connection connection);
    // Ends the thread and closes every waiting connection.
    void stop();

    // Complete: received holds a whole request, its head and the body its Content-Length names, or a
    // head the HTTP library refuses by itself. The too-large verdicts come as soon as they are sure.
    static Verdict judge(std::string_view received, size_t maxBodyBytes);

  private:
    void run();
    void takeAdmitted();
    void closeExpired(std::chrono::steady_clock::time_point now);
    // Reads what the socket has; false when the connection left the collector (ready or closed).
    bool receive(const Connection& connection);
    // Acts on a verdict; false when the connection left the collector.
    bool settle(const Connection& connection, Verdict verdict);

    const size_t m_maxBodyBytes;
    const Ready m_ready;
    int m_wake = -1;
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    std::vector<Connection> m_admitted; // guarded by m_mutex
    std::vector<Connection> m_waiting;  // the polling thread's own
    std::thread m_thread;
};

} // namespace statdesk::server
