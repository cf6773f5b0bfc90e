#include "CommandLine.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <unistd.h>

namespace statdesk::server {
namespace {

constexpr int kDefaultPort = 8470;
const std::vector<ListenAddress> kDefaultAddresses = {
    {"127.0.0.1", kDefaultPort}, {"127.0.0.2", kDefaultPort}, {"127.0.0.3", kDefaultPort}};

std::string hostName() {
    char name[256] = {};
    return gethostname(name, sizeof name - 1) == 0 && name[0] != 0 ? name : "localhost";
}

bool printableAscii(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c > 0x20 && c < 0x7f; });
}

// The spool of one replica, in the working folder, named so that replicas sharing it keep apart.
std::string spoolFor(const std::string& replica) {
    std::string name = replica;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-')
            c = '_';
    }
    return "statdesk-events-" + name + ".spool";
}

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
    return kDefaultAddresses;
}

const char* const kUsage =
    "usage: statdesk-service --db FILE --listen ADDR:PORT [--listen ADDR:PORT ...] [--config FILE] "
    "[--events FILE|URI] [--replica NAME] [--spool FILE] [--banners DIR] [--news-date YYYY-MM-DD]\n"
    "  --db FILE           statistics database built by statdesk-dataset\n"
    "  --listen ADDR:PORT  address to serve on, repeatable (port 0: any free port); default the\n"
    "                      settings' listen lines, else 127.0.0.1:8470, 127.0.0.2:8470 and 127.0.0.3:8470\n"
    "  --config FILE       site settings: version list, brand banner settings, update notice, pages,\n"
    "                      listen addresses (built-in: the shipped statdesk-service.conf); SIGHUP\n"
    "                      reads the file again\n"
    "  --events FILE|URI   file the usage events are appended to (default statdesk-events.log), or a\n"
    "                      postgresql://user@host:port/db address: the events go to its table\n"
    "                      usage_events, shared by every replica\n"
    "  --replica NAME      this replica's name in the stored events (default HOST/ADDR:PORT)\n"
    "  --spool FILE        where events wait while the database is out of reach\n"
    "                      (default statdesk-events-NAME.spool)\n"
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
            name != "--banners" && name != "--news-date" && name != "--replica" && name != "--spool")
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
        else if (name == "--replica")
            options.replica = value;
        else if (name == "--spool")
            options.spoolPath = value;
        else
            options.eventsPath = value;
    }
    if (options.databasePath.empty())
        throw std::invalid_argument("--db FILE is required");
    if (options.replica.empty()) {
        const ListenAddress first = options.listen.empty() ? kDefaultAddresses.front() : options.listen.front();
        options.replica = hostName() + "/" + first.host + ":" + std::to_string(first.port);
    }
    if (!printableAscii(options.replica))
        throw std::invalid_argument("--replica wants printable ASCII without blanks, got \"" + options.replica + "\"");
    if (options.spoolPath.empty())
        options.spoolPath = spoolFor(options.replica);
    return options;
}

} // namespace statdesk::server
