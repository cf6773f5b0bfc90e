#include "EventLoad.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

LoadResult runEventLoad(int port, int clients, int eventsPerClient, double maxSeconds) {
    using Clock = std::chrono::steady_clock;
    std::mutex mutex;
    std::vector<double> latencies;
    LoadResult result;
    const auto start = Clock::now();
    const auto deadline = start + std::chrono::duration<double>(maxSeconds);
    std::vector<std::thread> threads;
    for (int client = 0; client < clients; ++client) {
        threads.emplace_back([&, client] {
            std::vector<double> mine;
            size_t errors = 0;
            for (int i = 0; i < eventsPerClient && Clock::now() < deadline; ++i) {
                const std::string request = "GET /999addlog.asp?Q=MENUCLICK,http://links.example/?c=" +
                                            std::to_string(client) + "&n=" + std::to_string(i) +
                                            ",http://brand.example/,0 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
                const auto sent = Clock::now();
                const std::string reply = exchangeOnce(port, request);
                mine.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
                errors += reply.starts_with("HTTP/1.1 200") && reply.ends_with("\r\n\r\nOK\r\n") ? 0 : 1;
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
