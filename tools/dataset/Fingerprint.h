#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace statdesk::dataset {

// A digest of the names, sizes and modification times of the files; any change to one changes it.
std::string fingerprint(const std::vector<std::filesystem::path>& files);

} // namespace statdesk::dataset
