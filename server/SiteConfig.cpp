#include "SiteConfig.h"

#include "BuiltInSiteConfig.h"
#include "HtmlText.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace statdesk::server {
namespace {

constexpr size_t kNoticeLines = 4;

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> result;
    for (std::string word; in >> word;)
        result.push_back(word == "-" ? std::string() : word);
    return result;
}

void appendLine(std::string& out, const std::string& line) {
    out += line;
    out += "\r\n";
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "TITLE [| TEXT]" as a page of its own: the title as heading, the text below it.
std::string pageHtml(const std::string& rest) {
    const size_t bar = rest.find('|');
    const std::string title = escapeHtml(trimmed(rest.substr(0, bar)));
    const std::string text =
        bar == std::string::npos ? std::string() : escapeHtml(trimmed(rest.substr(bar + 1)));
    std::string html = "<!DOCTYPE html>\r\n<html><head><meta charset=\"utf-8\"><title>" + title +
                       "</title></head>\r\n<body><h1>" + title + "</h1>\r\n";
    if (!text.empty())
        html += "<p>" + text + "</p>\r\n";
    html += "<p><a href=\"/\">Statdesk</a></p></body></html>\r\n";
    return html;
}

} // namespace

SiteConfig SiteConfig::builtIn() {
    return parse(std::string(kBuiltInSiteConfig), "built-in settings");
}

SiteConfig SiteConfig::read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read configuration file " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return parse(text.str(), path);
}

SiteConfig SiteConfig::parse(const std::string& text, const std::string& origin) {
    SiteConfig config;
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const auto fields = words(line);
        if (fields.empty() || fields[0].starts_with('#'))
            continue;
        const auto fail = [&](const std::string& what) {
            throw std::runtime_error(origin + ":" + std::to_string(number) + ": " + what);
        };
        if (fields[0] == "version") {
            if (fields.size() != 4)
                fail("\"version\" takes product, brand home and version");
            config.m_versions.push_back({fields[1], fields[2], fields[3]});
        } else if (fields[0] == "brand") {
            if (fields.size() != 6)
                fail("\"brand\" takes brand home, banner count, banner address, click address and product");
            config.m_brands.push_back({fields[1], fields[2], fields[3], fields[4], fields[5]});
        } else if (fields[0] == "notice") {
            if (config.m_notice.size() == kNoticeLines)
                fail("more than four notice lines");
            const size_t start = line.find_first_not_of(" \t", line.find("notice") + 6);
            config.m_notice.push_back(start == std::string::npos ? std::string() : line.substr(start));
        } else if (fields[0] == "page") {
            if (fields.size() < 3 || !fields[1].starts_with('/'))
                fail("\"page\" takes a path beginning with \"/\" and a title");
            const size_t path = line.find(fields[1], line.find("page") + 4);
            config.m_pages.push_back({fields[1], pageHtml(line.substr(path + fields[1].size()))});
        } else if (fields[0] == "listen") {
            if (fields.size() != 2)
                fail("\"listen\" takes one address ADDR:PORT");
            try {
                config.m_listen.push_back(readListenAddress(fields[1]));
            } catch (const std::invalid_argument& error) {
                fail(error.what());
            }
        } else {
            fail("unknown setting \"" + fields[0] + "\"");
        }
    }
    return config;
}

std::string SiteConfig::versionList() const {
    std::string out;
    for (const Version& entry : m_versions) {
        appendLine(out, entry.product);
        appendLine(out, entry.brandHome);
        appendLine(out, entry.version);
    }
    return out;
}

std::string SiteConfig::brandSettings() const {
    std::string out;
    for (const Brand& entry : m_brands) {
        appendLine(out, entry.brandHome);
        appendLine(out, std::string()); // a line the client does not read
        appendLine(out, entry.bannerCount);
        appendLine(out, entry.bannerAddress);
        appendLine(out, entry.bannerClickAddress);
        appendLine(out, entry.product);
    }
    return out;
}

std::string SiteConfig::noticeText() const {
    std::string out;
    for (const std::string& line : m_notice)
        appendLine(out, line);
    return out;
}

} // namespace statdesk::server
