#include "ToolArguments.h"

#include <iostream>
#include <string>

namespace statdesk {

std::optional<int> readRawAndOut(int argc, char** argv, std::string_view tool, std::string_view usage,
                                 RawAndOut& paths) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << usage;
            return 0;
        }
        if ((arg == "--raw" || arg == "--out") && i + 1 < argc) {
            (arg == "--raw" ? paths.raw : paths.out) = argv[++i];
            continue;
        }
        std::cerr << tool << ": unknown argument " << arg << "\n" << usage;
        return 2;
    }
    if (paths.raw.empty() || paths.out.empty()) {
        std::cerr << usage;
        return 2;
    }
    return std::nullopt;
}

} // namespace statdesk
