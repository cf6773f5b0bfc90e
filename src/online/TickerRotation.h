#pragma once

#include "NewsReaders.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace statdesk {

// What the ticker shows next. No widgets: the main window puts the texts on its labels.
class TickerRotation {
  public:
    struct Headline {
        bool today = false; // Label3 when true, Label4 otherwise
        QString address, caption, tooltip;
    };
    struct Article {
        int label = 1; // Article1 to Article3
        ArticleEntry entry;
    };

    // The state the main window's set-up starts from: today's list next, no article shown, nothing
    // to open behind the article labels.
    void reset();
    void resetHeadlinePositions() { m_todayPosition = m_yesterdayPosition = 0; }

    // Alternately today's and yesterday's next headline; nothing when that list has no marker left
    // before its end. The address becomes the one a click on that headline opens.
    std::optional<Headline> nextHeadline(const QStringList& today, const QStringList& yesterday);
    // Entries 1 to 12 in turn on labels 1, 2, 3, 1, ...; the label's path becomes the entry's.
    Article nextArticle();

    ArticleTable& articles() { return m_articles; }
    QString todayAddress() const { return m_todayAddress; }
    QString yesterdayAddress() const { return m_yesterdayAddress; }
    // "*" until the label first shows an entry.
    QString articlePath(int label) const { return m_articlePaths.at(static_cast<size_t>(label - 1)); }

    static constexpr const char* kNothingToOpen = "*";

  private:
    bool m_today = false;
    int m_todayPosition = 0;
    int m_yesterdayPosition = 0;
    QString m_todayAddress;
    QString m_yesterdayAddress;
    int m_articlePosition = 0;
    std::array<QString, 3> m_articlePaths;
    ArticleTable m_articles;
};

} // namespace statdesk
