// The news readers on any site replies, with the ticker stepping over what they give. The input is
// four texts parted by form feeds: today's headline list, yesterday's, the news page with the
// article links, the page with the summaries.
#include "FuzzSupport.h"
#include "NewsReaders.h"
#include "ReplyLines.h"
#include "TickerRotation.h"

#include <algorithm>

using namespace statdesk;

namespace {

QStringList linesOf(const std::vector<std::string_view>& parts, size_t index) {
    if (index >= parts.size())
        return {};
    return replyTextLines(QByteArrayView(parts[index].data(), static_cast<qsizetype>(parts[index].size())));
}

// True when every line of `part` appears in `whole`, in order.
bool isInOrderWithin(const QStringList& part, const QStringList& whole) {
    qsizetype at = 0;
    for (const QString& line : part) {
        while (at < whole.size() && whole[at] != line)
            ++at;
        if (at == whole.size())
            return false;
        ++at;
    }
    return true;
}

bool isAddressOfAMarker(const QString& address, const QStringList& list) {
    return std::any_of(list.begin(), list.end(), [&](const QString& line) {
        return isHeadlineMarker(line) && headlineAddress(line) == address;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = fuzz::splitParts(data, size, '\f');
    const QStringList today = linesOf(parts, 0);
    const QStringList yesterday = linesOf(parts, 1);
    const QStringList newsPage = linesOf(parts, 2);
    const QStringList summaryPage = linesOf(parts, 3);

    for (const QString& line : today) {
        if (!isHeadlineMarker(line))
            continue;
        const QString address = headlineAddress(line);
        // From the tenth character to the one before the last.
        FUZZ_CHECK(address.size() == std::max<qsizetype>(line.size() - 10, 0));
        FUZZ_CHECK(line.contains(address));
    }

    const ArticleTable articles = readArticleLinks(newsPage);
    for (const ArticleEntry& entry : articles) {
        FUZZ_CHECK_MSG(entry.path.isEmpty() ||
                           entry.path.startsWith(QStringLiteral("/article.asp"), Qt::CaseInsensitive),
                       entry.path.toStdString());
    }

    QStringList merged = today;
    mergeSummaries(merged, summaryPage);
    FUZZ_CHECK(isInOrderWithin(today, merged));

    TickerRotation ticker;
    ticker.reset();
    ticker.articles() = articles;
    const qsizetype steps = std::min<qsizetype>(2 * (merged.size() + yesterday.size()) + 4, 200);
    for (qsizetype step = 0; step < steps; ++step) {
        const std::optional<TickerRotation::Headline> headline = ticker.nextHeadline(merged, yesterday);
        if (!headline)
            continue;
        FUZZ_CHECK(isAddressOfAMarker(headline->address, headline->today ? merged : yesterday));
        FUZZ_CHECK(headline->address ==
                   (headline->today ? ticker.todayAddress() : ticker.yesterdayAddress()));
    }
    for (int step = 0; step < kArticleEntries + 1; ++step) {
        const TickerRotation::Article article = ticker.nextArticle();
        FUZZ_CHECK(article.label >= 1 && article.label <= 3);
        FUZZ_CHECK(ticker.articlePath(article.label) == article.entry.path);
    }
    return 0;
}
