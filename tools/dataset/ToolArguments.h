#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace statdesk {

// The two folders the data tools take: "--raw DIR --out DIR" (or a file for --out).
struct RawAndOut {
    std::filesystem::path raw;
    std::filesystem::path out;
};

// Reads the arguments, printing the usage for --help or a usage error itself; the exit code when
// the tool should stop now, nothing when the paths are there to use.
std::optional<int> readRawAndOut(int argc, char** argv, std::string_view tool, std::string_view usage,
                                 RawAndOut& paths);

} // namespace statdesk
