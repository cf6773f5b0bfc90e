#pragma once

#include <httplib.h>

#include <chrono>
#include <string>

namespace statdesk::server {

// A connection's byte stream that holds back each request line until it is complete and then
// protects the characters the HTTP library would refuse or cut inside a request target: a second
// "?", blanks and "#". Usage events put link addresses into the target unescaped, and they must arrive
// whole. restoreTarget turns the protected characters back.
class RawRequestStream final : public httplib::Stream {
  public:
    static constexpr char kQuestionMark = '\x1f';
    static constexpr char kBlank = '\x1e';
    static constexpr char kHash = '\x1d';
    static constexpr size_t kMaxRequestLine = 8192;
    static constexpr const char* kReasonHeader = "X-Statdesk-Reason";

    // received: bytes of the connection already read; reads past them wait at most until deadline.
    RawRequestStream(
        socket_t connection, time_t readTimeoutSeconds, time_t writeTimeoutSeconds, std::string received = {},
        std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max());

    // Reads the next request line of the connection; false when none arrived.
    bool startRequest();
    // Only an HTTP/1.1 request line may keep the connection open for another request.
    bool mayKeepAlive() const { return m_mayKeepAlive; }
    bool hasPendingBytes() const { return m_position < m_buffer.size(); }
    // Bytes read from the connection and not yet taken by the library: the start of a next request.
    std::string takeUnread();

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override;

    static std::string restoreTarget(std::string_view target);
    // The status line of a response head carries the refusal reason that the head names in this
    // header, so that a client showing the reason phrase shows why it was refused.
    static std::string withReasonInStatusLine(std::string_view head, std::string_view reasonHeader);

  private:
    bool wait(short events, long long milliseconds) const;
    bool waitReadable() const;
    bool fill();
    bool readRequestLine();

    socket_t m_socket;
    time_t m_readTimeout;
    time_t m_writeTimeout;
    std::chrono::steady_clock::time_point m_deadline;
    std::string m_buffer;
    size_t m_position = 0;
    bool m_mayKeepAlive = false;
    bool m_responseHeadPending = false;
};

} // namespace statdesk::server
