#include "NewsReaders.h"

namespace statdesk {
namespace {

const QString kMarkerStart = QStringLiteral("^^setURL");
const QString kArticleLink = QStringLiteral("<a href=\"/article.asp");
const QString kArticleLinkUpper = QStringLiteral("<A HREF=\"/ARTICLE.ASP");
const QString kBoldStart = QStringLiteral("<B>");
const QString kBoldEnd = QStringLiteral("</B>");
const QString kFontMarker = QStringLiteral("VERDANA\">");
const QString kFontEnd = QStringLiteral("</FONT>");

// The text before the first `end`; empty when `end` does not occur.
QString textBefore(const QString& text, const QString& end, Qt::CaseSensitivity sensitivity) {
    const qsizetype at = text.indexOf(end, 0, sensitivity);
    return at < 0 ? QString() : text.left(at);
}

// What follows the first `marker` (any case); empty when it does not occur.
QString textAfter(const QString& text, const QString& marker) {
    const qsizetype at = text.indexOf(marker, 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : text.mid(at + marker.size());
}

bool hasBold(const QString& text) {
    return text.contains(kBoldStart, Qt::CaseInsensitive);
}

QString boldText(const QString& text) {
    return textBefore(textAfter(text, kBoldStart), kBoldEnd, Qt::CaseInsensitive);
}

bool hasFontMarker(const QString& line) {
    return line.toUpper().contains(kFontMarker);
}

QString fontText(const QString& text) {
    return textBefore(textAfter(text, kFontMarker), kFontEnd, Qt::CaseInsensitive);
}

// The first line from `from` on that holds the font marker; the page's size when none does.
qsizetype nextFontLine(const QStringList& page, qsizetype from) {
    while (from < page.size() && !hasFontMarker(page.at(from)))
        ++from;
    return from;
}

} // namespace

bool isHeadlineMarker(const QString& line) {
    return line.startsWith(kMarkerStart);
}

QString headlineAddress(const QString& markerLine) {
    return markerLine.size() < 10 ? QString() : markerLine.mid(9, markerLine.size() - 10);
}

ArticleTable readArticleLinks(const QStringList& page) {
    ArticleTable table;
    int found = 0;
    for (qsizetype j = 0; j < page.size() - 1; ++j) {
        const QString& line = page.at(j);
        if (!line.contains(kArticleLink))
            continue;
        // Up to and including the quotation mark that opens the address. Searched without regard to
        // case rather than in an upper-cased copy, where "ß" turns into "SS" and shifts positions.
        const QString rest = line.mid(line.indexOf(kArticleLinkUpper, 0, Qt::CaseInsensitive) + 9);
        ArticleEntry entry;
        entry.path = textBefore(rest, QStringLiteral("\""), Qt::CaseSensitive);
        if (hasBold(rest)) {
            entry.title = boldText(rest);
        } else {
            ++j;
            if (j < page.size() && hasBold(page.at(j)))
                entry.title = boldText(page.at(j));
        }
        j = nextFontLine(page, j);
        if (j < page.size())
            entry.summary = fontText(page.at(j));
        if (found < kArticleEntries)
            table[static_cast<size_t>(found++)] = entry;
    }
    return table;
}

void mergeSummaries(QStringList& headlines, const QStringList& page) {
    for (qsizetype j = 0; j < page.size() - 1; ++j) {
        QString line = page.at(j);
        for (qsizetype i = 0; i < headlines.size() - 1; ++i) {
            const QString& headline = headlines.at(i);
            if (headline.isEmpty() || !line.contains(headline))
                continue;
            j = nextFontLine(page, j + 1);
            const QString joined = page.value(j) + page.value(j + 1);
            line = fontText(joined);
            headlines.insert(i + 1, line);
            ++i; // past the inserted summary
        }
    }
}

} // namespace statdesk
