#include "ReferenceDocuments.h"

#include <exception>
#include <iostream>
#include <string>

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "Usage: statdesk-documents --raw DIR --out DIR\n"
    "Writes the shipped reference files (award lists, season summaries, playoff results, instructions,\n"
    "order form) from the raw basketball data in --raw into the folder --out.\n";

} // namespace

int main(int argc, char** argv) {
    fs::path rawDir, out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if ((arg == "--raw" || arg == "--out") && i + 1 < argc) {
            (arg == "--raw" ? rawDir : out) = argv[++i];
            continue;
        }
        std::cerr << "statdesk-documents: unknown argument " << arg << "\n" << kUsage;
        return 2;
    }
    if (rawDir.empty() || out.empty()) {
        std::cerr << kUsage;
        return 2;
    }
    try {
        const int files = statdesk::shipped::writeReferenceDocuments(rawDir, out);
        std::cerr << "statdesk-documents: " << files << " reference files in " << out.string() << std::endl;
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "statdesk-documents: error: " << e.what() << std::endl;
        return 1;
    }
}
