#include "LoadRun.h"

#include <algorithm>
#include <arpa/inet.h>
#include <array>
#include <chrono>
#include <functional>
#include <mutex>
#include <random>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kPageSize = 20;
constexpr size_t kPlayerFields = 76;

} // namespace

std::string exchangeOnce(int port, const std::string& request) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        send(socket, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
        std::array<char, 65536> buffer{};
        ssize_t received = 0;
        while ((received = recv(socket, buffer.data(), buffer.size(), 0)) > 0)
            reply.append(buffer.data(), static_cast<size_t>(received));
    }
    close(socket);
    return reply;
}

namespace {

bool isFullPage(const std::string& reply) {
    const size_t body = reply.find("\r\n\r\n");
    if (!reply.starts_with("HTTP/1.1 200") || body == std::string::npos)
        return false;
    const auto lines =
        static_cast<size_t>(std::count(reply.begin() + static_cast<long>(body) + 4, reply.end(), '\n'));
    return lines == 1 + (kPageSize + 1) * kPlayerFields;
}

} // namespace

LoadResult runClients(int clients, int requestsPerClient, double maxSeconds,
                      const std::function<std::function<bool()>(int client)>& makeClient) {
    std::mutex mutex;
    std::vector<double> latencies;
    LoadResult result;
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::duration<double>(maxSeconds);
    std::vector<std::thread> threads;
    for (int client = 0; client < clients; ++client) {
        threads.emplace_back([&, client] {
            const std::function<bool()> oneRequest = makeClient(client);
            std::vector<double> mine;
            size_t errors = 0;
            for (int i = 0; i < requestsPerClient && Clock::now() < deadline; ++i) {
                const auto sent = Clock::now();
                const bool good = oneRequest();
                mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
                errors += good ? 0 : 1;
            }
            const std::lock_guard lock(mutex);
            latencies.insert(latencies.end(), mine.begin(), mine.end());
            result.errors += errors;
        });
    }
    for (auto& thread : threads)
        thread.join();
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.requests = latencies.size();
    if (!latencies.empty()) {
        std::sort(latencies.begin(), latencies.end());
        result.p50Milliseconds = latencies[latencies.size() / 2];
        result.p99Milliseconds = latencies[std::min(latencies.size() - 1, latencies.size() * 99 / 100)];
    }
    return result;
}

LoadResult runLoad(int port, int clients, int requestsPerClient, double maxSeconds, long totalRows) {
    static const std::array<const char*, 6> kSorts = {"300!", "28!", "129!", "1!", "B!101!30!", "7!"};
    return runClients(clients, requestsPerClient, maxSeconds, [port, totalRows](int client) {
        return [port, random = std::mt19937(static_cast<unsigned>(client) + 1),
                position = std::uniform_int_distribution<long>(0, std::max(0L, totalRows - kPageSize)),
                sort = std::uniform_int_distribution<size_t>(0, kSorts.size() - 1)]() mutable {
            const std::string body = std::to_string(position(random)) + "!" + std::to_string(kPageSize) +
                                     "!" + kSorts[sort(random)] + "\r\n*\r\n\x1a";
            const std::string request = "POST /cgi-bin/getbplayer-1.exe HTTP/1.0\r\nHost: 127.0.0.1\r\n"
                                        "Content-Length: " +
                                        std::to_string(body.size()) + "\r\n\r\n" + body;
            return isFullPage(exchangeOnce(port, request));
        };
    });
}
