#include "EventLoad.h"

#include <string>

LoadResult runEventLoad(int port, int clients, int eventsPerClient, double maxSeconds) {
    return runClients(clients, eventsPerClient, maxSeconds, [port](int client) {
        return [port, client, i = 0]() mutable {
            const std::string request =
                "GET /999addlog.asp?Q=MENUCLICK,http://links.example/?c=" + std::to_string(client) +
                "&n=" + std::to_string(i++) + ",http://brand.example/,0 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
            const std::string reply = exchangeOnce(port, request);
            return reply.starts_with("HTTP/1.1 200") && reply.ends_with("\r\n\r\nOK\r\n");
        };
    });
}
