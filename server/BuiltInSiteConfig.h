#pragma once

#include <string_view>

namespace statdesk::server {

// statdesk-service.conf as the build found it: the settings without --config are the shipped file.
extern const std::string_view kBuiltInSiteConfig;

} // namespace statdesk::server
