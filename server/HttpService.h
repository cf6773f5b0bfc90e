#pragma once

#include "BannerSite.h"
#include "EventSink.h"
#include "NewsSite.h"
#include "QueryEngine.h"
#include "SiteConfig.h"

#include <memory>
#include <mutex>

namespace httplib {
class Server;
}

namespace statdesk::server {

inline constexpr int kReadTimeoutSeconds = 10;

// The service's endpoints on one HTTP server: the four dataset endpoints, the version list, the
// brand settings, the update notice, the usage events and the news site. Shared by every listening address.
class HttpService {
  public:
    HttpService(QueryEngine& engine, SiteConfig config, EventSink& events);

    // The banners to serve; without them the banner paths are refused. Set before install.
    void setBanners(const BannerSite* banners) { m_banners = banners; }

    // The news site; without it the news paths are unknown. Set before install.
    void setNewsSite(const NewsSite* news) { m_news = news; }

    void install(httplib::Server& server);

    // New site settings for every request from now on; requests under way finish with the old ones.
    void replaceConfig(SiteConfig config);

  private:
    void installBanners(httplib::Server& server);
    void installSitePages(httplib::Server& server);
    std::shared_ptr<const SiteConfig> config() const;

    QueryEngine& m_engine;
    mutable std::mutex m_configMutex;
    std::shared_ptr<const SiteConfig> m_config;
    EventSink& m_events;
    const BannerSite* m_banners = nullptr;
    const NewsSite* m_news = nullptr;
};

} // namespace statdesk::server
