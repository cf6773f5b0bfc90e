// Feeds fuzz inputs to a target's LLVMFuzzerTestOneInput without libFuzzer: every file of the
// corpus folder (the first argument, which must hold at least one) and of any further folders
// (regressions, which may be missing or empty). A broken property aborts the process.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER [MORE_FOLDERS...]\n", argv[0]);
        return 2;
    }
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::vector<std::filesystem::path> files = filesIn(argv[i]);
        if (i == 1 && files.empty()) {
            std::fprintf(stderr, "no corpus files in %s\n", argv[1]);
            return 1;
        }
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            const std::vector<std::uint8_t> input{std::istreambuf_iterator<char>(in),
                                                  std::istreambuf_iterator<char>()};
            std::fprintf(stderr, "%s (%zu bytes)\n", file.c_str(), input.size());
            LLVMFuzzerTestOneInput(input.data(), input.size());
            ++replayed;
        }
    }
    std::fprintf(stderr, "replayed %d inputs\n", replayed);
    return 0;
}
