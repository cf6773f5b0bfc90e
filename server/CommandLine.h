#pragma once

#include "NewsDate.h"

#include <optional>
#include <string>
#include <vector>

namespace statdesk::server {

struct ListenAddress {
    std::string host;
    int port = 0; // 0: any free port, reported on standard output
};

struct ServiceOptions {
    std::string databasePath;
    std::vector<ListenAddress> listen; // empty: see listenAddresses
    std::optional<std::string> configPath;
    std::string eventsPath = "statdesk-events.log"; // or a postgresql:// address
    std::string replica;                            // the name events carry; the host and first address without it
    std::string spoolPath;                          // events waiting for the database; named after the replica without it
    std::optional<std::string> bannersPath; // folder statdesk-banners wrote
    std::optional<Date> newsDate;           // the news site's "today"; the clock's date without it
    bool help = false;
};

extern const char* const kUsage;

// "ADDR:PORT"; throws std::invalid_argument naming the text.
ListenAddress readListenAddress(const std::string& text);

// The addresses to bind: the command line's, else the site settings' "listen" lines, else the
// client's three default hosts.
std::vector<ListenAddress> listenAddresses(const ServiceOptions& options,
                                           const std::vector<ListenAddress>& configured);

// Throws std::invalid_argument with a message for the user.
ServiceOptions parseCommandLine(const std::vector<std::string>& arguments);

} // namespace statdesk::server
