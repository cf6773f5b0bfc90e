#include "NewsPages.h"

#include "ArticleText.h"

namespace statdesk::server {
namespace {

constexpr const char* kEnd = "\r\n";

std::string pageStart(const std::string& title) {
    return std::string(
               "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">") +
           "<TITLE>" + title + "</TITLE></HEAD>" + kEnd + "<BODY>" + kEnd;
}

std::string pageEnd() {
    return std::string("</BODY></HTML>") + kEnd;
}

std::vector<Article> bothDays(const NewsDays& days) {
    std::vector<Article> articles = days.today.articles;
    articles.insert(articles.end(), days.yesterday.articles.begin(), days.yesterday.articles.end());
    return articles;
}

std::string figureCell(const std::optional<int>& value) {
    return "<TD ALIGN=\"RIGHT\">" + (value ? std::to_string(*value) : std::string("-")) + "</TD>";
}

std::string scorerRows(const std::vector<GameLeader>& leaders, const std::string& code) {
    std::string rows;
    for (const GameLeader& p : leaders)
        rows += "<TR><TD>" + p.name + "</TD><TD>" + code + "</TD>" + figureCell(p.points) +
                figureCell(p.rebounds) + figureCell(p.assists) + "</TR>" + kEnd;
    return rows;
}

std::string teamRow(const std::string& role, const std::string& name, const std::string& code, int points) {
    return "<TR><TD>" + role + "</TD><TD>" + name + " (" + code + ")</TD><TD ALIGN=\"RIGHT\">" +
           std::to_string(points) + "</TD></TR>" + kEnd;
}

} // namespace

std::string headlineList(const std::vector<Article>& articles, const std::string& host) {
    std::string text;
    for (const Article& article : articles)
        text += "^^setURL(http://" + host + "/article.asp?id=" + article.game->gameId + ")" + kEnd +
                caption(article) + kEnd + tooltip(*article.game) + kEnd;
    return text;
}

std::string newsPage(const NewsDays& days) {
    std::string html = pageStart("Basketball news: on this day") + "<TABLE>" + kEnd;
    const std::vector<Article> articles = bothDays(days);
    for (size_t i = 0; i < articles.size() && i < kNewsPageArticles; ++i) {
        const Article& a = articles[i];
        html += "<TR><TD><a href=\"/article.asp?id=" + a.game->gameId + "\"><B>" + caption(a) +
                "</B></a></TD></TR>" + kEnd + "<TR><TD><FONT SIZE=\"1\" FACE=\"VERDANA\">" +
                summary(*a.game) + "</FONT></TD></TR>" + kEnd;
    }
    return html + "</TABLE>" + kEnd + pageEnd();
}

// The summary starts on the font line: the client joins that line with the next to read it, then goes on
// looking for its headlines from the next line, so a summary standing whole on that line would match itself.
std::string summaryPage(const NewsDays& days) {
    std::string html = pageStart("Basketball news: summaries");
    for (const Article& a : bothDays(days))
        html += "<P><B>" + caption(a) + "</B><BR>" + kEnd + "<FONT SIZE=\"1\" FACE=\"VERDANA\">" +
                fullSummaryOpening(*a.game) + kEnd + fullSummaryRest(*a.game) + "</FONT></P>" + kEnd;
    return html + pageEnd();
}

std::string articlePage(const GameRecap& g) {
    std::string html = pageStart(scoreLine(g)) + "<H2>" + scoreLine(g) + "</H2>" + kEnd;
    html += "<P>" + weekdayName(g.date) + ", " + longDate(g.date) + "<BR>" + kEnd;
    html += "League: " + g.league + ", season " + seasonName(g.seasonStart) + "<BR>" + kEnd;
    if (g.playoff)
        html += "Playoffs: " + seriesGameText(g) + ". " + seriesStanding(g) + "<BR>" + kEnd;
    html += std::string("</P>") + kEnd + "<H3>Final score</H3>" + kEnd + "<TABLE BORDER=\"1\">" + kEnd;
    html += teamRow("Visitors", g.awayName, g.awayCode, g.awayPoints);
    html += teamRow("Home", g.homeName, g.homeCode, g.homePoints);
    html += std::string("</TABLE>") + kEnd;
    if (!g.homeLeaders.empty() || !g.awayLeaders.empty()) {
        html += std::string("<H3>Leading scorers</H3>") + kEnd + "<TABLE BORDER=\"1\">" + kEnd +
                "<TR><TH>Player</TH><TH>Team</TH><TH>PTS</TH><TH>REB</TH><TH>AST</TH></TR>" + kEnd;
        html += scorerRows(g.awayLeaders, g.awayCode) + scorerRows(g.homeLeaders, g.homeCode);
        html += std::string("</TABLE>") + kEnd;
    }
    html += "<P>" + fullSummary(g) + "</P>" + kEnd;
    return html + pageEnd();
}

std::string notFoundPage(const std::string& reason) {
    return pageStart(reason) + "<H2>" + reason + "</H2>" + kEnd +
           "<P>There is no such page on this site.</P>" + kEnd + pageEnd();
}

} // namespace statdesk::server
