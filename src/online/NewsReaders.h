#pragma once

#include <QString>
#include <QStringList>

#include <array>

// Readers of the news site's headline lists and pages. No widgets: the ticker and the tests use
// them alike.
namespace statdesk {

// A headline list line that starts with "^^setURL" carries an article address: its characters from
// the tenth to the one before the last. The next line is the caption, the one after the tooltip.
bool isHeadlineMarker(const QString& line);
QString headlineAddress(const QString& markerLine);

struct ArticleEntry {
    QString title;
    QString path; // begins with "/article.asp"
    QString summary;
};

inline constexpr int kArticleEntries = 12;
using ArticleTable = std::array<ArticleEntry, kArticleEntries>;

// The article links of the news page in page order; links past the twelfth are ignored and the
// entries the page does not fill stay empty.
ArticleTable readArticleLinks(const QStringList& page);

// Inserts, after each headline line that occurs in a line of the summary page, the summary that
// follows it on that page.
void mergeSummaries(QStringList& headlines, const QStringList& page);

} // namespace statdesk
