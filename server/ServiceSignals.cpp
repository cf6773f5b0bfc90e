#include "ServiceSignals.h"

#include <pthread.h>

namespace statdesk::server {

ServiceSignals::ServiceSignals() {
    sigemptyset(&m_signals);
    sigaddset(&m_signals, SIGINT);
    sigaddset(&m_signals, SIGTERM);
    sigaddset(&m_signals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &m_signals, nullptr);
}

void ServiceSignals::waitForStop(const std::function<void()>& reload) const {
    for (;;) {
        int received = 0;
        if (sigwait(&m_signals, &received) != 0)
            continue;
        if (received != SIGHUP)
            return;
        reload();
    }
}

void reloadSiteConfig(HttpService& service, const std::optional<std::string>& path, std::ostream& log) {
    if (!path) {
        log << "statdesk-service: SIGHUP: no settings file (--config), the built-in settings stay" << std::endl;
        return;
    }
    try {
        service.replaceConfig(SiteConfig::read(*path));
        log << "statdesk-service: SIGHUP: site settings read again from " << *path << std::endl;
    } catch (const std::exception& error) {
        log << "statdesk-service: SIGHUP: " << error.what() << "; the settings in use stay" << std::endl;
    }
}

} // namespace statdesk::server
