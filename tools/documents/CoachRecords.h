#pragma once

#include <filesystem>

namespace statdesk::shipped {

// coachrc.awd: every coach's regular-season and playoff won-lost record, summed over his seasons.
void writeCoachRecords(const std::filesystem::path& raw, const std::filesystem::path& out);

} // namespace statdesk::shipped
