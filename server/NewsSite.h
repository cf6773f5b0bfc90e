#pragma once

#include "RecapIndex.h"

#include <optional>
#include <string>

namespace httplib {
class Server;
struct Request;
} // namespace httplib

namespace statdesk::server {

// The news site the client's ticker reads: "on this day" articles from the game recaps of the
// database, for today and yesterday by the service's clock or a fixed date.
class NewsSite {
  public:
    NewsSite(RecapIndex recaps, std::optional<Date> fixedToday);

    // The headline lists, the news page, the summary page and the article pages.
    void install(httplib::Server& server) const;

    size_t gameCount() const { return m_recaps.size(); }

  private:
    Date today() const;

    RecapIndex m_recaps;
    std::optional<Date> m_fixedToday;
};

} // namespace statdesk::server
