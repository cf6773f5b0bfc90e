#pragma once

#include <string>
#include <string_view>

namespace statdesk::server {

// Routes are regular expressions; the service's fixed paths are matched literally.
inline std::string literalPattern(std::string_view path) {
    std::string pattern;
    for (char c : path) {
        if (std::string_view(".?+*()[]{}^$|\\").find(c) != std::string_view::npos)
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

} // namespace statdesk::server
