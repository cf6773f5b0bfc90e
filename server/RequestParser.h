#pragma once

#include "ServiceRequest.h"

#include <string_view>

namespace statdesk::server {

// Reads a request body strictly: head line, criteria lines, each ended by CR LF, then byte 26 and
// nothing else. Throws RequestError (400 malformed, 413 over a size limit).
ServiceRequest parseRequest(std::string_view body, Family family);

} // namespace statdesk::server
