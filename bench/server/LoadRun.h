#pragma once

#include <cstddef>
#include <functional>
#include <string>

struct LoadResult {
    size_t requests = 0;
    size_t errors = 0;
    double seconds = 0;
    double p50Milliseconds = 0;
    double p99Milliseconds = 0;
};

// Sends one request on a new loopback connection and reads the reply until the server closes; empty
// on a connection failure.
std::string exchangeOnce(int port, const std::string& request);

// `clients` threads, each sending up to requestsPerClient requests through the function made for it
// (true when the request was answered well) until the count or the time is reached; latencies are
// taken around each call.
LoadResult runClients(int clients, int requestsPerClient, double maxSeconds,
                      const std::function<std::function<bool()>(int client)>& makeClient);

// Clients paging the player table at random positions and sort orders over loopback, one HTTP/1.0
// connection per request as the desktop client makes them; stops after the count or the time.
LoadResult runLoad(int port, int clients, int requestsPerClient, double maxSeconds, long totalRows);
