#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace statdesk::server {

// The advertising banners statdesk-banners draws: GIF files in one folder, listed in its index
// (banners.txt: file, subject id, title and page text, tab-separated). Read whole at start; the
// client asks for one by a random number in the address.
class BannerSite final {
  public:
    static constexpr const char* kIndexName = "banners.txt";
    static constexpr const char* kBannerPath = "/banners/banner.gif";
    static constexpr const char* kClickPath = "/banners/click";

    struct Banner {
        std::string file, id, title, text;
        std::string gif; // the file's bytes
    };

    // Throws std::runtime_error naming the folder and what is wrong with it.
    static BannerSite load(const std::string& folder);

    size_t count() const { return m_banners.size(); }
    const Banner& banner(size_t index) const { return m_banners.at(index); }
    // The banner a request's number names: the number modulo the count. A missing or non-numeric
    // number picks banner 0 (a client address without a place holder sends none).
    size_t pick(std::string_view number) const;
    // The click-through page of a banner: its title, the facts, the banner, a link to the site.
    std::string clickPage(size_t index) const;

  private:
    std::vector<Banner> m_banners;
};

} // namespace statdesk::server
