#include "SiteConfig.h"

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

const char* const kBuiltIn = R"(# Default site settings of statdesk-service.
version 2 127.0.0.1:8470 200
notice Your version of the Statdesk
notice executable file is out of date - new features have been added.
notice Please visit our website at the link below to download the latest version.
notice <URL>
)";

} // namespace

SiteConfig SiteConfig::builtIn() {
    return parse(kBuiltIn, "built-in settings");
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
