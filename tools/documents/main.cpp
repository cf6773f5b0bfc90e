#include "ReferenceDocuments.h"

#include "ToolArguments.h"

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
    statdesk::RawAndOut paths;
    if (const std::optional<int> exitCode =
            statdesk::readRawAndOut(argc, argv, "statdesk-documents", kUsage, paths))
        return *exitCode;
    const fs::path& rawDir = paths.raw;
    const fs::path& out = paths.out;
    try {
        const int files = statdesk::shipped::writeReferenceDocuments(rawDir, out);
        std::cerr << "statdesk-documents: " << files << " reference files in " << out.string() << std::endl;
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "statdesk-documents: error: " << e.what() << std::endl;
        return 1;
    }
}
