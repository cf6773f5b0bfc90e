#pragma once

#include "CommandLine.h"

#include <string>
#include <vector>

namespace statdesk::server {

// What the small online endpoints answer: the version list, the brand banner settings and the update
// notice text. Read from a configuration file of lines
//   version PRODUCT BRAND-HOME VERSION
//   brand BRAND-HOME BANNER-COUNT BANNER-ADDRESS BANNER-CLICK-ADDRESS PRODUCT
//   notice TEXT-TO-THE-END-OF-THE-LINE        (at most four)
//   page PATH TITLE [| TEXT]                  a small HTML page of the site at PATH
//   listen ADDR:PORT                          an address to serve on without --listen (read at start)
// with "#" comment lines and blank lines; a field written "-" is empty.
class SiteConfig {
  public:
    static constexpr const char* kDefaultBrandHome = "127.0.0.1:8470";

    // Keeps the default brand current (product "2", version "200"), its two banners served by the
    // service itself (/banners, see --banners).
    static SiteConfig builtIn();
    // Throws std::runtime_error naming the file and line of the first mistake.
    static SiteConfig read(const std::string& path);
    static SiteConfig parse(const std::string& text, const std::string& origin);

    std::string versionList() const;
    std::string brandSettings() const;
    std::string noticeText() const;

    struct Page {
        std::string path; // begins with "/"
        std::string html;
    };
    const std::vector<Page>& pages() const { return m_pages; }
    const std::vector<ListenAddress>& listen() const { return m_listen; }

  private:
    struct Version {
        std::string product, brandHome, version;
    };
    struct Brand {
        std::string brandHome, bannerCount, bannerAddress, bannerClickAddress, product;
    };

    std::vector<Version> m_versions;
    std::vector<Brand> m_brands;
    std::vector<std::string> m_notice;
    std::vector<Page> m_pages;
    std::vector<ListenAddress> m_listen;
};

} // namespace statdesk::server
