#include "RequestError.h"

namespace statdesk::server {

RequestError::RequestError(int status, const std::string& reason)
    : std::runtime_error(reason), m_status(status) {}

} // namespace statdesk::server
