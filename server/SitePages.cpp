#include "SitePages.h"

#include <string_view>

namespace statdesk::server {
namespace {

struct EmbeddedPage {
    std::string_view name;
    std::string_view html;
};

// Written by the build from server/site/*.html.
constexpr EmbeddedPage kEmbeddedPages[] = {
#include "SitePagesData.inc"
};

} // namespace

std::vector<SiteConfig::Page> sitePages() {
    std::vector<SiteConfig::Page> pages;
    for (const EmbeddedPage& page : kEmbeddedPages) {
        const std::string path = page.name == "index" ? "/" : "/" + std::string(page.name) + "/";
        pages.push_back({path, std::string(page.html)});
    }
    return pages;
}

} // namespace statdesk::server
