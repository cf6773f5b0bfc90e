#pragma once

#include "HttpService.h"

#include <csignal>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace statdesk::server {

// The signals the service acts on: SIGINT and SIGTERM stop it, SIGHUP reloads its site settings.
// Made before any thread starts, it blocks them in every thread; the main thread takes them in
// waitForStop.
class ServiceSignals {
  public:
    ServiceSignals();

    // Runs reload at each SIGHUP; returns at SIGINT or SIGTERM.
    void waitForStop(const std::function<void()>& reload) const;

  private:
    sigset_t m_signals;
};

// SIGHUP's work: the settings file, read again, replaces the service's settings. A file that cannot
// be read or holds a mistake is reported on log and the settings in use stay.
void reloadSiteConfig(HttpService& service, const std::optional<std::string>& path, std::ostream& log);

} // namespace statdesk::server
