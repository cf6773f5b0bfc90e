#include "HttpService.h"

#include "RawRequestStream.h"
#include "RequestError.h"
#include "RoutePattern.h"
#include "SitePages.h"

#include <httplib.h>

#include <functional>

namespace statdesk::server {
namespace {

constexpr const char* kTextType = "text/plain";
constexpr const char* kReasonHeader = RawRequestStream::kReasonHeader;
constexpr std::string_view kEventPath = "/999addlog.asp";
constexpr std::string_view kEventQuery = "?Q=";
// Set by the load balancer, the same on every retry of one request.
constexpr const char* kRequestIdHeader = "X-Request-ID";

// The client reports the reason phrase of a refused request: the reason goes in a header that the
// connection stream moves into the status line, and in the body for anyone reading it.
void refuse(httplib::Response& response, int status, const std::string& reason) {
    response.status = status;
    response.set_header(kReasonHeader, reason);
    response.set_content(reason + "\r\n", kTextType);
}

std::string defaultReason(int status) {
    switch (status) {
    case 404:
        return "Unknown path";
    case 413:
        return kBodyTooLargeReason;
    case 408:
        return "Request timed out";
    default:
        return "Malformed HTTP request";
    }
}

} // namespace

HttpService::HttpService(QueryEngine& engine, SiteConfig config, EventSink& events)
    : m_engine(engine), m_config(std::make_shared<const SiteConfig>(std::move(config))), m_events(events) {}

void HttpService::replaceConfig(SiteConfig config) {
    auto replacement = std::make_shared<const SiteConfig>(std::move(config));
    const std::lock_guard lock(m_configMutex);
    m_config = std::move(replacement);
}

std::shared_ptr<const SiteConfig> HttpService::config() const {
    const std::lock_guard lock(m_configMutex);
    return m_config;
}

void HttpService::install(httplib::Server& server) {
    server.set_payload_max_length(kMaxBodyBytes);
    server.set_read_timeout(kReadTimeoutSeconds, 0);
    server.set_write_timeout(kReadTimeoutSeconds, 0);
    server.set_keep_alive_timeout(kReadTimeoutSeconds);

    for (Dataset dataset : kDatasets) {
        server.Post(literalPattern(endpointPath(dataset)),
                    [this, dataset](const httplib::Request& request, httplib::Response& response) {
                        try {
                            response.set_content(m_engine.answer(dataset, request.body), kTextType);
                        } catch (const RequestError& error) {
                            refuse(response, error.status(), error.what());
                        }
                    });
    }
    const auto settingsText = [this, &server](std::string_view path, std::string (SiteConfig::*text)() const) {
        server.Get(literalPattern(path), [this, text](const httplib::Request&, httplib::Response& response) {
            response.set_content(std::invoke(text, *config()), kTextType);
        });
    };
    settingsText("/cgi-bin/verread.exe", &SiteConfig::versionList);
    settingsText("/verman.asp", &SiteConfig::brandSettings);
    settingsText("/basketballout.txt", &SiteConfig::noticeText);
    installBanners(server);
    if (m_news)
        m_news->install(server);

    server.Get(
        literalPattern(kEventPath), [this](const httplib::Request& request, httplib::Response& response) {
            // The event line goes into the address unescaped; keep it exactly as it came.
            const std::string target = RawRequestStream::restoreTarget(request.target);
            const size_t query = target.find('?');
            if (query == std::string_view::npos ||
                !std::string_view(target).substr(query).starts_with(kEventQuery)) {
                refuse(response, 400, "Usage event without Q");
                return;
            }
            m_events.append(request.remote_addr, std::string_view(target).substr(query + kEventQuery.size()),
                            request.get_header_value(kRequestIdHeader));
            response.set_content("OK\r\n", kTextType);
        });

    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty())
            refuse(response, response.status, defaultReason(response.status));
    });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr failure) {
            std::string reason = "Internal error";
            try {
                std::rethrow_exception(failure);
            } catch (const std::exception& error) {
                reason += std::string(": ") + error.what();
            } catch (...) {
            }
            refuse(response, 500, reason);
        });
    installSitePages(server);
}

// The pages of the current settings, then the site's own, so that a site can replace one of its own;
// registered last, so that every fixed path goes first. Any other path stays unknown.
void HttpService::installSitePages(httplib::Server& server) {
    server.Get(".*", [this, site = sitePages()](const httplib::Request& request, httplib::Response& response) {
        const std::shared_ptr<const SiteConfig> settings = config();
        for (const auto* pages : {&settings->pages(), &site}) {
            for (const SiteConfig::Page& page : *pages) {
                if (page.path == request.path) {
                    response.set_content(page.html, "text/html; charset=utf-8");
                    return;
                }
            }
        }
        response.status = 404;
    });
}

// A banner and its page, picked by the random number the client puts in the address.
void HttpService::installBanners(httplib::Server& server) {
    const auto serve = [this, &server](const char* path, auto answer) {
        server.Get(literalPattern(path),
                   [this, answer](const httplib::Request& request, httplib::Response& response) {
                       if (!m_banners) {
                           refuse(response, 404, "No banners: the service was started without --banners");
                           return;
                       }
                       answer(m_banners->pick(request.get_param_value("n")), response);
                   });
    };
    serve(BannerSite::kBannerPath, [this](size_t banner, httplib::Response& response) {
        response.set_content(m_banners->banner(banner).gif, "image/gif");
    });
    serve(BannerSite::kClickPath, [this](size_t banner, httplib::Response& response) {
        response.set_content(m_banners->clickPage(banner), "text/html; charset=utf-8");
    });
}

} // namespace statdesk::server
