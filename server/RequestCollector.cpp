#include "RequestCollector.h"
#include "ServiceRequest.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace statdesk::server {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kReadChunk = 16 * 1024;
constexpr size_t kReadPerRound = 256 * 1024; // one busy sender cannot keep the thread to itself
constexpr int kMaxPollMs = 1000;
constexpr size_t kDrainBytes = 1024 * 1024;
constexpr auto kDrainTime = std::chrono::seconds(2);

// A refusal as the service words its others: the reason in the status line and as the body.
std::string refusal(int status, std::string_view reason) {
    const std::string body = std::string(reason) + "\r\n";
    return "HTTP/1.1 " + std::to_string(status) + " " + std::string(reason) +
           "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

const std::string kTimedOut = refusal(408, "Request timed out");
const std::string kBodyTooLarge = refusal(413, kBodyTooLargeReason);
const std::string kHeadTooLarge = refusal(431, "Request head over 16 KiB");

void closeSocket(socket_t socket) {
    shutdown(socket, SHUT_RDWR);
    close(socket);
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// The value of the first header field of this name in head, if any.
std::optional<std::string_view> headerValue(std::string_view head, std::string_view name) {
    for (size_t start = head.find('\n'); start != std::string_view::npos && start + 1 < head.size();) {
        const size_t end = head.find('\n', start + 1);
        const std::string_view line =
            head.substr(start + 1, end == std::string_view::npos ? end : end - start - 1);
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos && sameIgnoringCase(trimmed(line.substr(0, colon)), name))
            return trimmed(line.substr(colon + 1));
        start = end;
    }
    return std::nullopt;
}

// Position just after the empty line that ends the head, or npos.
size_t headEnd(std::string_view received) {
    const size_t crlf = received.find("\r\n\r\n");
    const size_t lf = received.find("\n\n");
    if (crlf == std::string_view::npos && lf == std::string_view::npos)
        return std::string_view::npos;
    return crlf < lf ? crlf + 4 : lf + 2;
}

} // namespace

RequestCollector::Verdict RequestCollector::judge(std::string_view received, size_t maxBodyBytes) {
    const size_t end = headEnd(received);
    if (end == std::string_view::npos)
        return received.size() > kMaxHeadBytes ? Verdict::HeadTooLarge : Verdict::Incomplete;
    const std::string_view head = received.substr(0, end);
    const size_t bodyBytes = received.size() - end;
    if (headerValue(head, "transfer-encoding")) {
        // A chunked body is whole at its last, empty chunk.
        for (size_t at = received.find("0\r\n\r\n", end); at != std::string_view::npos;
             at = received.find("0\r\n\r\n", at + 1)) {
            if (at == end || received[at - 1] == '\n')
                return Verdict::Complete;
        }
        return bodyBytes > maxBodyBytes ? Verdict::BodyTooLarge : Verdict::Incomplete;
    }
    const auto length = headerValue(head, "content-length");
    // No body, or a length the library refuses as malformed.
    if (!length || length->empty() || length->size() > 18 ||
        !std::all_of(length->begin(), length->end(), [](char c) { return c >= '0' && c <= '9'; }))
        return Verdict::Complete;
    const size_t expected = std::stoull(std::string(*length));
    if (expected > maxBodyBytes)
        return Verdict::BodyTooLarge;
    return bodyBytes >= expected ? Verdict::Complete : Verdict::Incomplete;
}

RequestCollector::RequestCollector(size_t maxBodyBytes, Ready ready)
    : m_maxBodyBytes(maxBodyBytes), m_ready(std::move(ready)),
      m_wake(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (m_wake < 0)
        throw std::runtime_error("cannot create the request collector's wake-up descriptor");
    m_thread = std::thread([this] { run(); });
}

RequestCollector::~RequestCollector() {
    stop();
    close(m_wake);
}

void RequestCollector::admit(Connection connection) {
    if (!m_stopping && judge(connection->received, m_maxBodyBytes) == Verdict::Complete) {
        m_ready(std::move(connection));
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        if (!m_stopping) {
            m_admitted.push_back(std::move(connection));
            connection = nullptr;
        }
    }
    if (connection)
        closeSocket(connection->socket);
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_wake, &one, sizeof one);
}

void RequestCollector::stop() {
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping.exchange(true))
            return;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(m_wake, &one, sizeof one);
    if (m_thread.joinable())
        m_thread.join();
    for (const Connection& connection : m_waiting)
        closeSocket(connection->socket);
    m_waiting.clear();
    for (const Connection& connection : m_admitted)
        closeSocket(connection->socket);
    m_admitted.clear();
}

void RequestCollector::takeAdmitted() {
    std::vector<Connection> admitted;
    {
        const std::lock_guard lock(m_mutex);
        admitted.swap(m_admitted);
    }
    // Bytes kept from a connection's previous request may already be too large.
    for (Connection& connection : admitted) {
        if (settle(connection, judge(connection->received, m_maxBodyBytes)))
            m_waiting.push_back(std::move(connection));
    }
    // Past the limit the connections that have waited longest go: a real client sends at once.
    if (m_waiting.size() > kMaxWaiting) {
        std::sort(m_waiting.begin(), m_waiting.end(),
                  [](const Connection& a, const Connection& b) { return a->deadline > b->deadline; });
        for (size_t i = kMaxWaiting; i < m_waiting.size(); ++i)
            closeSocket(m_waiting[i]->socket);
        m_waiting.resize(kMaxWaiting);
    }
}

void RequestCollector::closeExpired(Clock::time_point now) {
    std::erase_if(m_waiting, [now](const Connection& connection) {
        if (connection->deadline > now)
            return false;
        // A client that began a request learns why it ends; an idle or refused one is just closed.
        if (!connection->received.empty() && connection->drainLeft == 0)
            send(connection->socket, kTimedOut.data(), kTimedOut.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        closeSocket(connection->socket);
        return true;
    });
}

bool RequestCollector::receive(const Connection& connection) {
    char chunk[kReadChunk];
    for (size_t round = 0; round < kReadPerRound; round += kReadChunk) {
        const ssize_t received = recv(connection->socket, chunk, sizeof chunk, MSG_DONTWAIT);
        if (received < 0 && errno == EINTR)
            continue;
        if (received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return true;
        if (received <= 0) {
            closeSocket(connection->socket);
            return false;
        }
        if (connection->drainLeft > 0) {
            if (static_cast<size_t>(received) >= connection->drainLeft) {
                closeSocket(connection->socket);
                return false;
            }
            connection->drainLeft -= static_cast<size_t>(received);
            continue;
        }
        connection->received.append(chunk, static_cast<size_t>(received));
        const Verdict verdict = judge(connection->received, m_maxBodyBytes);
        if (verdict != Verdict::Incomplete && !settle(connection, verdict))
            return false;
    }
    return true;
}

bool RequestCollector::settle(const Connection& connection, Verdict verdict) {
    if (verdict == Verdict::Incomplete || connection->drainLeft > 0)
        return true;
    if (verdict == Verdict::Complete) {
        m_ready(connection);
        return false;
    }
    // The refusal goes out at once; what the client still sends is dropped for a little while, so
    // that the refusal is read before the close rather than lost to a reset.
    const std::string& reply = verdict == Verdict::BodyTooLarge ? kBodyTooLarge : kHeadTooLarge;
    send(connection->socket, reply.data(), reply.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    shutdown(connection->socket, SHUT_WR);
    connection->received.clear();
    connection->received.shrink_to_fit();
    connection->drainLeft = kDrainBytes;
    connection->deadline = std::min(connection->deadline, Clock::now() + kDrainTime);
    return true;
}

void RequestCollector::run() {
    std::vector<pollfd> watched;
    while (!m_stopping) {
        takeAdmitted();
        const Clock::time_point now = Clock::now();
        closeExpired(now);

        auto timeout = std::chrono::milliseconds(kMaxPollMs);
        watched.assign(1, pollfd{m_wake, POLLIN, 0});
        for (const Connection& connection : m_waiting) {
            watched.push_back(pollfd{connection->socket, POLLIN, 0});
            timeout =
                std::min(timeout, std::chrono::ceil<std::chrono::milliseconds>(connection->deadline - now));
        }
        const int ready =
            poll(watched.data(), watched.size(), static_cast<int>(std::max<long>(0, timeout.count())));
        if (ready <= 0)
            continue;
        if (watched[0].revents != 0) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t read = ::read(m_wake, &count, sizeof count);
        }
        // The connections polled are the first watched.size() - 1 of m_waiting, in order.
        std::vector<Connection> staying;
        staying.reserve(m_waiting.size());
        for (size_t i = 0; i < m_waiting.size(); ++i) {
            const bool polled = i + 1 < watched.size();
            if (!polled || watched[i + 1].revents == 0 || receive(m_waiting[i]))
                staying.push_back(std::move(m_waiting[i]));
        }
        m_waiting = std::move(staying);
    }
}

} // namespace statdesk::server
