#include "TickerRotation.h"

namespace statdesk {
namespace {

struct Marker {
    QString address, caption, tooltip;
};

// From `position` on, the first marker before the list's end; the position moves past it and wraps
// to the start once it reaches the last line.
std::optional<Marker> nextMarker(const QStringList& list, int& position) {
    if (list.isEmpty())
        return std::nullopt;
    const int last = static_cast<int>(list.size()) - 1;
    std::optional<Marker> used;
    do {
        const QString line = list.value(position);
        if (isHeadlineMarker(line)) {
            used = Marker{headlineAddress(line), list.value(position + 1), list.value(position + 2)};
            position += 2;
        }
        ++position;
    } while (!used && position <= last);
    if (position >= last)
        position = 0;
    return used;
}

} // namespace

void TickerRotation::reset() {
    m_today = false;
    m_articlePosition = 0;
    m_articlePaths.fill(QString::fromLatin1(kNothingToOpen));
}

std::optional<TickerRotation::Headline> TickerRotation::nextHeadline(const QStringList& today,
                                                                     const QStringList& yesterday) {
    m_today = !m_today;
    const std::optional<Marker> marker =
        m_today ? nextMarker(today, m_todayPosition) : nextMarker(yesterday, m_yesterdayPosition);
    if (!marker)
        return std::nullopt;
    (m_today ? m_todayAddress : m_yesterdayAddress) = marker->address;
    return Headline{m_today, marker->address, marker->caption, marker->tooltip};
}

TickerRotation::Article TickerRotation::nextArticle() {
    m_articlePosition = m_articlePosition % kArticleEntries + 1;
    const int label = (m_articlePosition - 1) % 3 + 1;
    const ArticleEntry& entry = m_articles.at(static_cast<size_t>(m_articlePosition - 1));
    m_articlePaths.at(static_cast<size_t>(label - 1)) = entry.path;
    return Article{label, entry};
}

} // namespace statdesk
