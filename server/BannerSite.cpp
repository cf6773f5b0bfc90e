#include "BannerSite.h"

#include "HtmlText.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace statdesk::server {
namespace {

namespace fs = std::filesystem;

constexpr size_t kIndexFields = 4;

std::string readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> tabFields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

} // namespace

BannerSite BannerSite::load(const std::string& folder) {
    const auto fail = [&folder](const std::string& what) {
        throw std::runtime_error("banner folder " + folder + ": " + what);
    };
    if (!fs::is_directory(folder))
        fail("not a folder");
    const fs::path indexPath = fs::path(folder) / kIndexName;
    std::ifstream index(indexPath, std::ios::binary);
    if (!index)
        fail(std::string("no index ") + kIndexName + " (statdesk-banners writes it)");

    BannerSite site;
    int lineNumber = 0;
    for (std::string line; std::getline(index, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.starts_with('#'))
            continue;
        const std::string where = std::string(kIndexName) + " line " + std::to_string(lineNumber) + ": ";
        const std::vector<std::string> fields = tabFields(line);
        if (fields.size() != kIndexFields)
            fail(where + "wants file, id, title and text separated by tabs");
        Banner banner{fields[0], fields[1], fields[2], fields[3], {}};
        // Only plain names: the index must not reach outside its folder.
        if (banner.file.empty() || banner.file.find('/') != std::string::npos || banner.file.starts_with('.'))
            fail(where + "bad file name \"" + banner.file + "\"");
        banner.gif = readWhole(fs::path(folder) / banner.file);
        if (!banner.gif.starts_with("GIF87a") && !banner.gif.starts_with("GIF89a"))
            fail(where + banner.file + " is missing or not a GIF");
        site.m_banners.push_back(std::move(banner));
    }
    if (site.m_banners.empty())
        fail(std::string(kIndexName) + " lists no banners");
    return site;
}

size_t BannerSite::pick(std::string_view number) const {
    // Digit by digit, so that a number longer than any integer type still gets its remainder.
    size_t remainder = 0;
    for (char c : number) {
        if (c < '0' || c > '9')
            return 0;
        remainder = (remainder * 10 + static_cast<size_t>(c - '0')) % m_banners.size();
    }
    return remainder;
}

std::string BannerSite::clickPage(size_t index) const {
    const Banner& b = banner(index);
    const std::string title = escapeHtml(b.title);
    return "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>" + title +
           "</title></head>\r\n<body><h1>" + title + "</h1>\r\n<p><img src=\"" + kBannerPath +
           "?n=" + std::to_string(index) + "\" width=\"468\" height=\"60\" alt=\"" + title +
           "\"></p>\r\n<p>" + escapeHtml(b.text) +
           "</p>\r\n<p><a href=\"/\">Statdesk</a></p></body></html>\r\n";
}

} // namespace statdesk::server
