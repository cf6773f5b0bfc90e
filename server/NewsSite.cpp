#include "NewsSite.h"

#include "NewsPages.h"
#include "RawRequestStream.h"
#include "RoutePattern.h"

#include <httplib.h>

#include <algorithm>

namespace statdesk::server {
namespace {

constexpr const char* kTodayList = "/scroller/dataFiles/todaysArticles.txt";
constexpr const char* kYesterdayList = "/scroller/dataFiles/yesterDaysArticles.txt";
constexpr const char* kNewsPage = "/home.asp";
constexpr const char* kNewsCategory = "Basketball";
constexpr const char* kSummaryPage = "/content.asp";
constexpr const char* kArticlePage = "/article.asp";
constexpr int kDefaultHttpPort = 80;

bool isHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view(".-_:[]").find(c) != std::string_view::npos;
}

// The host the client asked for, so that article addresses lead back here whatever address it used; the
// port it came in on is added when the Host header names none.
std::string requestHost(const httplib::Request& request) {
    std::string host = request.get_header_value("Host");
    const bool usable = !host.empty() && std::all_of(host.begin(), host.end(), isHostCharacter);
    if (!usable)
        host = request.local_addr.find(':') == std::string::npos ? request.local_addr
                                                                 : "[" + request.local_addr + "]";
    const size_t bracket = host.rfind(']');
    const bool hasPort = host.find(':', bracket == std::string::npos ? 0 : bracket) != std::string::npos;
    if (!hasPort && request.local_port != kDefaultHttpPort)
        host += ":" + std::to_string(request.local_port);
    return host;
}

void notFound(httplib::Response& response, const std::string& reason) {
    response.status = 404;
    response.set_header(RawRequestStream::kReasonHeader, reason);
    response.set_content(notFoundPage(reason), "text/html");
}

} // namespace

NewsSite::NewsSite(RecapIndex recaps, std::optional<Date> fixedToday)
    : m_recaps(std::move(recaps)), m_fixedToday(fixedToday) {}

Date NewsSite::today() const {
    return m_fixedToday.value_or(localToday());
}

void NewsSite::install(httplib::Server& server) const {
    for (const bool forToday : {true, false}) {
        server.Get(literalPattern(forToday ? kTodayList : kYesterdayList),
                   [this, forToday](const httplib::Request& request, httplib::Response& response) {
                       const NewsDays days = newsDays(m_recaps, today());
                       const DayArticles& day = forToday ? days.today : days.yesterday;
                       response.set_content(headlineList(day.articles, requestHost(request)), "text/plain");
                   });
    }
    server.Get(literalPattern(kNewsPage), [this](const httplib::Request& request, httplib::Response& response) {
        if (request.get_param_value("category") != kNewsCategory) {
            notFound(response, "Unknown news category");
            return;
        }
        response.set_content(newsPage(newsDays(m_recaps, today())), "text/html");
    });
    server.Get(literalPattern(kSummaryPage), [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(summaryPage(newsDays(m_recaps, today())), "text/html");
    });
    server.Get(literalPattern(kArticlePage),
               [this](const httplib::Request& request, httplib::Response& response) {
                   const GameRecap* game = m_recaps.find(request.get_param_value("id"));
                   if (!game) {
                       notFound(response, "Article not found");
                       return;
                   }
                   response.set_content(articlePage(*game), "text/html");
               });
}

} // namespace statdesk::server
