#pragma once

#include <stdexcept>
#include <string>

namespace statdesk::server {

// A request the service refuses: an HTTP status of 400 or more and the reason.
class RequestError : public std::runtime_error {
  public:
    RequestError(int status, const std::string& reason);
    int status() const { return m_status; }

  private:
    int m_status;
};

} // namespace statdesk::server
