#pragma once

#include "SiteConfig.h"

#include <vector>

namespace statdesk::server {

// The site's own pages, built into the service from server/site: "index.html" at "/", every other
// "NAME.html" at "/NAME/". These are the addresses the default brand and the program's About and
// welcome boxes open.
std::vector<SiteConfig::Page> sitePages();

} // namespace statdesk::server
