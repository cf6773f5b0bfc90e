#pragma once

#include "ArticlePicker.h"

#include <string>
#include <vector>

// The news site's replies, in the fixed line formats the client's ticker reads. Lines end in CR LF.
namespace statdesk::server {

inline constexpr size_t kNewsPageArticles = 12;

// Three lines per article: "^^setURL(http://HOST/article.asp?id=ID)", the caption, the tooltip.
std::string headlineList(const std::vector<Article>& articles, const std::string& host);
// The article links with their summaries, today's first, at most twelve.
std::string newsPage(const NewsDays& days);
// Each article's caption and its longer summary, today's and yesterday's.
std::string summaryPage(const NewsDays& days);
// One game told in full.
std::string articlePage(const GameRecap& game);
// The answer to an address the site has no page for, saying why.
std::string notFoundPage(const std::string& reason);

} // namespace statdesk::server
