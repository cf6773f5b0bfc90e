#pragma once

#include <filesystem>

namespace statdesk::shipped {

// Writes every shipped reference file into out from the raw data in raw; returns how many files it wrote.
// Season and playoff files of an earlier run that the data no longer gives are removed.
int writeReferenceDocuments(const std::filesystem::path& raw, const std::filesystem::path& out);

} // namespace statdesk::shipped
