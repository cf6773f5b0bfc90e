#include "CommandLine.h"
#include "HttpService.h"
#include "ServiceHealth.h"
#include "ServiceServer.h"
#include "ServiceSignals.h"
#include "TableLoader.h"

#include <httplib.h>

#include <iostream>
#include <memory>
#include <optional>
#include <thread>

using namespace statdesk::server;

namespace {

// A bad banner folder is an option error, found before the slower loading of the tables.
std::optional<BannerSite> loadBanners(const ServiceOptions& options) {
    if (!options.bannersPath)
        return std::nullopt;
    try {
        return BannerSite::load(*options.bannersPath);
    } catch (const std::runtime_error& error) {
        throw std::invalid_argument(std::string("--banners: ") + error.what());
    }
}

int run(const ServiceOptions& options) {
    // Before any thread starts (the event writers start with their store): every thread inherits the
    // blocked signals, so that they reach the main thread's wait and not a thread they would end.
    const ServiceSignals signals;
    const std::optional<BannerSite> banners = loadBanners(options);
    QueryEngine engine(loadTables(options.databasePath));
    SiteConfig config = options.configPath ? SiteConfig::read(*options.configPath) : SiteConfig::builtIn();
    const std::unique_ptr<EventSink> events =
        EventSink::open(options.eventsPath, options.replica, options.spoolPath);
    const std::vector<ListenAddress> listen = listenAddresses(options, config.listen());
    HttpService service(engine, std::move(config), *events);
    ServiceHealth health;
    service.setBanners(banners ? &*banners : nullptr);
    const NewsSite news(RecapIndex::load(options.databasePath), options.newsDate);
    service.setNewsSite(&news);

    std::vector<std::unique_ptr<ServiceServer>> servers;
    for (const ListenAddress& address : listen) {
        auto server = std::make_unique<ServiceServer>();
        // Before the service's routes: its site pages answer every path no earlier route took.
        health.install(*server);
        service.install(*server);
        const int port = server->bindTo(address.host, address.port);
        if (port <= 0) {
            std::cerr << "statdesk-service: cannot listen on " << address.host << ":" << address.port << "\n";
            return 1;
        }
        std::cout << "listening on " << address.host << ":" << port << std::endl;
        servers.push_back(std::move(server));
    }
    std::vector<std::thread> threads;
    for (auto& server : servers)
        threads.emplace_back([&server] { server->listen_after_bind(); });

    // Bound and listening: what connects now waits in the queue until a listening thread takes it.
    health.set(ServiceHealth::State::Serving);

    // A graceful stop: no new connections, the requests that have arrived are answered, and the
    // events they carried are stored before the process ends.
    signals.waitForStop([&] { reloadSiteConfig(service, options.configPath, std::cerr); });
    health.set(ServiceHealth::State::Stopping);
    for (auto& server : servers)
        server->stop();
    for (auto& thread : threads)
        thread.join();
    servers.clear();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const ServiceOptions options = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << kUsage;
            return 0;
        }
        return run(options);
    } catch (const std::invalid_argument& error) {
        std::cerr << "statdesk-service: " << error.what() << "\n" << kUsage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "statdesk-service: " << error.what() << "\n";
        return 1;
    }
}
