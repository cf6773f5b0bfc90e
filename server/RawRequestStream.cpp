#include "RawRequestStream.h"

#include <arpa/inet.h>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>

namespace statdesk::server {
namespace {

constexpr size_t kChunk = 16 * 1024;

void addressOf(const sockaddr_storage& address, std::string& ip, int& port) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    ip = text;
}

} // namespace

RawRequestStream::RawRequestStream(socket_t connection, time_t readTimeoutSeconds, time_t writeTimeoutSeconds,
                                   std::string received, std::chrono::steady_clock::time_point deadline)
    : m_socket(connection), m_readTimeout(readTimeoutSeconds), m_writeTimeout(writeTimeoutSeconds),
      m_deadline(deadline), m_buffer(std::move(received)) {}

std::string RawRequestStream::takeUnread() {
    std::string unread = m_buffer.substr(m_position);
    m_buffer.clear();
    m_position = 0;
    return unread;
}

bool RawRequestStream::startRequest() {
    m_mayKeepAlive = false;
    m_responseHeadPending = true;
    return readRequestLine();
}

bool RawRequestStream::wait(short events, long long milliseconds) const {
    pollfd watched{m_socket, events, 0};
    int ready = 0;
    do {
        ready = poll(&watched, 1, static_cast<int>(milliseconds));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

// The read timeout, but never past the deadline of the request: a client that drips its bytes
// cannot hold a worker longer than that.
bool RawRequestStream::waitReadable() const {
    using namespace std::chrono;
    const long long left = ceil<milliseconds>(m_deadline - steady_clock::now()).count();
    return left > 0 && wait(POLLIN, std::min<long long>(left, m_readTimeout * 1000LL));
}

bool RawRequestStream::fill() {
    if (!waitReadable())
        return false;
    if (m_position == m_buffer.size()) {
        m_buffer.clear();
        m_position = 0;
    }
    char chunk[kChunk];
    ssize_t received = 0;
    do {
        received = recv(m_socket, chunk, sizeof chunk, 0);
    } while (received < 0 && errno == EINTR);
    if (received <= 0)
        return false;
    m_buffer.append(chunk, static_cast<size_t>(received));
    return true;
}

// Reads until the request line is complete, then rewrites its target in place.
bool RawRequestStream::readRequestLine() {
    size_t end = std::string::npos;
    while ((end = m_buffer.find('\n', m_position)) == std::string::npos) {
        if (m_buffer.size() - m_position > kMaxRequestLine || !fill())
            return m_buffer.size() > m_position; // let the library judge what arrived
    }
    const std::string_view line = std::string_view(m_buffer).substr(m_position, end + 1 - m_position);
    m_mayKeepAlive = line.ends_with(" HTTP/1.1\r\n");
    const size_t first = m_buffer.find(' ', m_position);
    size_t last = m_buffer.rfind(' ', end);
    if (first >= end || last == std::string::npos || last <= first)
        return true;
    const size_t query = m_buffer.find('?', first);
    for (size_t i = first + 1; i < last; ++i) {
        if (m_buffer[i] == ' ')
            m_buffer[i] = kBlank;
        else if (m_buffer[i] == '#')
            m_buffer[i] = kHash;
        else if (m_buffer[i] == '?' && i != query)
            m_buffer[i] = kQuestionMark;
    }
    return true;
}

bool RawRequestStream::is_readable() const {
    return m_position < m_buffer.size() || waitReadable();
}

bool RawRequestStream::is_writable() const {
    return wait(POLLOUT, m_writeTimeout * 1000LL);
}

ssize_t RawRequestStream::read(char* ptr, size_t size) {
    if (m_position == m_buffer.size() && !fill())
        return -1;
    const size_t count = std::min(size, m_buffer.size() - m_position);
    std::memcpy(ptr, m_buffer.data() + m_position, count);
    m_position += count;
    return static_cast<ssize_t>(count);
}

std::string RawRequestStream::withReasonInStatusLine(std::string_view head, std::string_view reasonHeader) {
    const std::string marker = "\r\n" + std::string(reasonHeader) + ": ";
    const size_t statusEnd = head.find("\r\n");
    const size_t reasonStart = head.find(marker);
    if (head.substr(0, 5) != "HTTP/" || statusEnd == std::string_view::npos ||
        reasonStart == std::string_view::npos)
        return std::string(head);
    const size_t valueStart = reasonStart + marker.size();
    const std::string_view reason = head.substr(valueStart, head.find("\r\n", valueStart) - valueStart);
    // "HTTP/1.1 400 Bad Request": keep version and code, replace the phrase.
    const size_t codeEnd = head.find(' ', head.find(' ') + 1);
    if (codeEnd == std::string_view::npos || codeEnd > statusEnd)
        return std::string(head);
    std::string rewritten(head.substr(0, codeEnd + 1));
    rewritten += reason;
    rewritten += head.substr(statusEnd);
    return rewritten;
}

ssize_t RawRequestStream::write(const char* ptr, size_t size) {
    if (!is_writable())
        return -1;
    if (m_responseHeadPending) {
        // The library writes the status line and the headers in one piece, first.
        m_responseHeadPending = false;
        const std::string head = withReasonInStatusLine(std::string_view(ptr, size), kReasonHeader);
        for (size_t offset = 0; offset < head.size();) {
            const ssize_t part = write(head.data() + offset, head.size() - offset);
            if (part <= 0)
                return part;
            offset += static_cast<size_t>(part);
        }
        return static_cast<ssize_t>(size);
    }
    ssize_t sent = 0;
    do {
        sent = send(m_socket, ptr, size, MSG_NOSIGNAL);
    } while (sent < 0 && errno == EINTR);
    return sent;
}

void RawRequestStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getpeername(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        addressOf(address, ip, port);
}

void RawRequestStream::get_local_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        addressOf(address, ip, port);
}

socket_t RawRequestStream::socket() const {
    return m_socket;
}

std::string RawRequestStream::restoreTarget(std::string_view target) {
    std::string restored(target);
    for (char& c : restored) {
        if (c == kQuestionMark)
            c = '?';
        else if (c == kBlank)
            c = ' ';
        else if (c == kHash)
            c = '#';
    }
    return restored;
}

} // namespace statdesk::server
