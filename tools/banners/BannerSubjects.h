#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace statdesk::banners {

// One banner: what it shows and what its click-through page says.
struct BannerSubject {
    std::string id;       // short and stable, e.g. "scoring-1962"
    std::string kicker;   // the small line above the headline
    std::string headline; // the banner's big line, also the page title
    std::string page;     // the facts behind it, a few sentences on one line
};

// The subjects, each worked out from the raw data in rawDir; throws naming a missing file or column,
// or a fact the data cannot give.
std::vector<BannerSubject> bannerSubjects(const std::filesystem::path& rawDir);

} // namespace statdesk::banners
