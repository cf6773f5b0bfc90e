#include "CommandLine.h"

#include <stdexcept>

namespace statdesk::server {
namespace {

constexpr int kDefaultPort = 8470;

} // namespace

ListenAddress readListenAddress(const std::string& text) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size())
        throw std::invalid_argument("an address is ADDR:PORT, got \"" + text + "\"");
    int port = 0;
    for (char c : text.substr(colon + 1)) {
        if (c < '0' || c > '9' || port > 65535)
            throw std::invalid_argument("bad port in \"" + text + "\"");
        port = port * 10 + (c - '0');
    }
    if (port > 65535)
        throw std::invalid_argument("bad port in \"" + text + "\"");
    return {text.substr(0, colon), port};
}

std::vector<ListenAddress> listenAddresses(const ServiceOptions& options,
                                           const std::vector<ListenAddress>& configured) {
    if (!options.listen.empty())
        return options.listen;
    if (!configured.empty())
        return configured;
    return {{"127.0.0.1", kDefaultPort}, {"127.0.0.2", kDefaultPort}, {"127.0.0.3", kDefaultPort}};
}

const char* const kUsage =
    "usage: statdesk-service --db FILE --listen ADDR:PORT [--listen ADDR:PORT ...] [--config FILE] "
    "[--events FILE] [--banners DIR] [--news-date YYYY-MM-DD]\n"
    "  --db FILE           statistics database built by statdesk-dataset\n"
    "  --listen ADDR:PORT  address to serve on, repeatable (port 0: any free port); default the\n"
    "                      settings' listen lines, else 127.0.0.1:8470, 127.0.0.2:8470 and 127.0.0.3:8470\n"
    "  --config FILE       site settings: version list, brand banner settings, update notice, pages,\n"
    "                      listen addresses (built-in: the shipped statdesk-service.conf); SIGHUP\n"
    "                      reads the file again\n"
    "  --events FILE       file the usage events are appended to (default statdesk-events.log)\n"
    "  --banners DIR       serve the banners statdesk-banners wrote into DIR at /banners/banner.gif?n=N\n"
    "                      and their pages at /banners/click?n=N\n"
    "  --news-date DATE    the news site's \"today\", YYYY-MM-DD (default: the local date)\n"
    "Each listening address prints \"listening on ADDR:PORT\" on standard output once it is bound.\n";

ServiceOptions parseCommandLine(const std::vector<std::string>& arguments) {
    ServiceOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            return options;
        }
        if (name != "--db" && name != "--listen" && name != "--config" && name != "--events" &&
            name != "--banners" && name != "--news-date")
            throw std::invalid_argument("unknown option \"" + name + "\"");
        if (i + 1 == arguments.size())
            throw std::invalid_argument(name + " needs a value");
        const std::string& value = arguments[++i];
        if (name == "--db")
            options.databasePath = value;
        else if (name == "--listen")
            options.listen.push_back(readListenAddress(value));
        else if (name == "--config")
            options.configPath = value;
        else if (name == "--news-date")
            options.newsDate = readNewsDate(value);
        else if (name == "--banners")
            options.bannersPath = value;
        else
            options.eventsPath = value;
    }
    if (options.databasePath.empty())
        throw std::invalid_argument("--db FILE is required");
    return options;
}

} // namespace statdesk::server
