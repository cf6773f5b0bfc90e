#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

namespace statdesk::fuzz {

void fail(const char* condition, const char* file, int line, const std::string& detail) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, condition);
    if (!detail.empty())
        std::fprintf(stderr, "%s\n", detail.c_str());
    std::fflush(stderr);
    std::abort();
}

std::uint8_t ByteReader::byte() {
    return m_position < m_size ? m_data[m_position++] : 0;
}

int ByteReader::range(int low, int high) {
    const unsigned span = static_cast<unsigned>(high - low) + 1;
    const unsigned raw = (static_cast<unsigned>(byte()) << 8) | byte();
    return low + static_cast<int>(raw % span);
}

std::string_view ByteReader::rest() {
    const std::size_t start = m_position < m_size ? m_position : m_size;
    m_position = m_size;
    return {reinterpret_cast<const char*>(m_data) + start, m_size - start};
}

std::vector<std::string_view> splitParts(const std::uint8_t* data, std::size_t size, char separator) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

void useOffscreenPlatform() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}

} // namespace statdesk::fuzz
