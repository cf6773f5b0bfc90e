#pragma once

// The reference files a distribution ships beside the program, read from the working folder.
namespace statdesk::documents {

inline constexpr char kAllLeagueTeams[] = "allpro.awd";

} // namespace statdesk::documents
