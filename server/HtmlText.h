#pragma once

#include <string>
#include <string_view>

namespace statdesk::server {

// Text made safe inside an HTML element or a quoted attribute.
std::string escapeHtml(std::string_view text);

} // namespace statdesk::server
