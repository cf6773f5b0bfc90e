#include "Fingerprint.h"

#include <cstdint>
#include <cstdio>

namespace statdesk::dataset {
namespace fs = std::filesystem;

std::string fingerprint(const std::vector<fs::path>& files) {
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    auto mix = [&hash](const std::string& text) {
        for (unsigned char c : text) {
            hash ^= c;
            hash *= 1099511628211ULL;
        }
        hash ^= 0xFF;
        hash *= 1099511628211ULL;
    };
    for (const auto& file : files) {
        mix(file.filename().string());
        mix(std::to_string(fs::file_size(file)));
        mix(std::to_string(fs::last_write_time(file).time_since_epoch().count()));
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace statdesk::dataset
