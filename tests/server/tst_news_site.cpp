// The news site of the service on the real database, read with the client's own readers and checked
// against the raw box scores and game logs.
#include "NewsReaders.h"
#include "RawExchange.h"
#include "RawGameDays.h"
#include "ReplyLines.h"
#include "ServiceProcess.h"

#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace statdesk;

namespace {

constexpr int kArticlesPerDay = 5;
const QByteArray kTodayList = "/scroller/dataFiles/todaysArticles.txt";
const QByteArray kYesterdayList = "/scroller/dataFiles/yesterDaysArticles.txt";
const QByteArray kNewsPage = "/home.asp?category=Basketball";
const QByteArray kSummaryPage = "/content.asp";

struct Reply {
    int status = 0;
    QByteArray reason;
    QByteArray body;
};

// One HTTP/1.0 exchange the way the client makes it: the Host header without the port.
Reply get(quint16 port, const QByteArray& target) {
    const QByteArray received =
        test::exchangeRaw(QStringLiteral("127.0.0.1"), port,
                          "GET " + target + " HTTP/1.0\r\nAccept: */*\r\nHost: 127.0.0.1\r\n\r\n");
    const qsizetype headerEnd = received.indexOf("\r\n\r\n");
    const QByteArray statusLine = received.left(received.indexOf("\r\n"));
    return {statusLine.mid(9, 3).toInt(), statusLine.mid(13),
            headerEnd < 0 ? QByteArray() : received.mid(headerEnd + 4)};
}

struct Headline {
    QString address, caption, tooltip, id;
};

QList<Headline> headlines(const QStringList& lines) {
    QList<Headline> found;
    for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
        if (!isHeadlineMarker(lines[i]))
            continue;
        const QString address = headlineAddress(lines[i]);
        found.append({address, lines[i + 1], lines[i + 2], QUrlQuery(QUrl(address)).queryItemValue("id")});
    }
    return found;
}

QString longDate(const QDate& date) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(date, "MMMM d, yyyy");
}

bool endsEveryLineWithCrLf(const QByteArray& body) {
    return body.endsWith("\r\n") && body.count('\n') == body.count("\r\n") &&
           body.count('\r') == body.count("\r\n");
}

// The nearest date on or before `from` whose month and day had a game in some season.
QDate nearestDayWithGames(const test::RawGameDays& raw, QDate from) {
    for (int back = 0; back < 366; ++back, from = from.addDays(-1)) {
        if (!raw.gamesOn(from.month(), from.day()).isEmpty())
            return from;
    }
    return {};
}

} // namespace

class NewsSiteTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void headlineListsLeadToTheirGames_data();
    void headlineListsLeadToTheirGames();
    void newsPageLinksBothDays();
    void summariesFollowEveryCaption_data();
    void summariesFollowEveryCaption();
    void notableGamesOfTheDay();
    void summerFallsBackToEarlierDates();
    void badNewsDateIsRefused_data();
    void badNewsDateIsRefused();
    void unknownArticleIsNotFound_data();
    void unknownArticleIsNotFound();

  private:
    QList<Headline> fetchHeadlines(const QByteArray& path);
    int expectedArticles(QDate day) const;
    // Checks the date, teams and score of the game an article names against the raw files.
    void checkFacts(const Headline& headline, QDate day);

    test::RawGameDays m_raw;
    std::unique_ptr<test::ServiceProcess> m_service;
    const QDate m_today{2024, 3, 2};
};

void NewsSiteTest::initTestCase() {
    QVERIFY2(m_raw.read(STATDESK_RAW_DATA), qPrintable(m_raw.errorString()));
    QVERIFY(m_raw.count() > 40000);
    const QString database = test::ServiceProcess::builtDatabase();
    QVERIFY2(QFile::exists(database), qPrintable(database + " has not been built"));
    m_service = std::make_unique<test::ServiceProcess>(
        database, QStringList{"--news-date", m_today.toString(Qt::ISODate)});
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

QList<Headline> NewsSiteTest::fetchHeadlines(const QByteArray& path) {
    const Reply reply = get(m_service->port(), path);
    if (reply.status != 200 || !endsEveryLineWithCrLf(reply.body))
        return {};
    return headlines(replyTextLines(reply.body));
}

int NewsSiteTest::expectedArticles(QDate day) const {
    return std::min(kArticlesPerDay, static_cast<int>(m_raw.gamesOn(day.month(), day.day()).size()));
}

void NewsSiteTest::checkFacts(const Headline& headline, QDate day) {
    const test::RawGame* game = m_raw.find(headline.id);
    QVERIFY2(game, qPrintable("no raw game " + headline.id));
    QCOMPARE(game->date.month(), day.month());
    QCOMPARE(game->date.day(), day.day());
    QVERIFY2(headline.caption.startsWith(longDate(game->date) + ":"), qPrintable(headline.caption));
    QVERIFY(headline.caption != headline.tooltip);
    for (const auto& [code, points] :
         {std::pair(game->home, game->homePoints), std::pair(game->away, game->awayPoints)})
        QVERIFY2(headline.tooltip.contains(code + " " + QString::number(points)),
                 qPrintable(headline.tooltip));

    const QUrl url(headline.address);
    QCOMPARE(url.host(), QStringLiteral("127.0.0.1"));
    QCOMPARE(url.port(), int(m_service->port()));
    const Reply article =
        get(m_service->port(), url.path(QUrl::FullyEncoded).toLatin1() + "?" + url.query().toLatin1());
    QCOMPARE(article.status, 200);
    const QString page = replyTextLines(article.body).join('\n');
    QVERIFY(page.contains(longDate(game->date)));
    for (int points : {game->homePoints, game->awayPoints})
        QVERIFY(page.contains(">" + QString::number(points) + "<"));
    if (game->topScorerPoints >= 0)
        QVERIFY2(page.contains(game->topScorer), qPrintable(game->topScorer));
}

void NewsSiteTest::headlineListsLeadToTheirGames_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QDate>("day");
    QTest::newRow("today") << kTodayList << m_today;
    QTest::newRow("yesterday") << kYesterdayList << m_today.addDays(-1);
}

void NewsSiteTest::headlineListsLeadToTheirGames() {
    QFETCH(QByteArray, path);
    QFETCH(QDate, day);
    const QList<Headline> list = fetchHeadlines(path);
    QCOMPARE(list.size(), expectedArticles(day));
    for (const Headline& headline : list) {
        checkFacts(headline, day);
        if (QTest::currentTestFailed())
            return;
    }
}

void NewsSiteTest::newsPageLinksBothDays() {
    const QList<Headline> expected = fetchHeadlines(kTodayList) + fetchHeadlines(kYesterdayList);
    QCOMPARE(expected.size(), expectedArticles(m_today) + expectedArticles(m_today.addDays(-1)));
    const Reply reply = get(m_service->port(), kNewsPage);
    QCOMPARE(reply.status, 200);
    QVERIFY(endsEveryLineWithCrLf(reply.body));
    const QStringList page = replyTextLines(reply.body);
    QCOMPARE(page.filter("<a href=\"/article.asp").size(), expected.size());
    QCOMPARE(page.filter("VERDANA\">", Qt::CaseInsensitive).size(), expected.size());

    const ArticleTable table = readArticleLinks(page);
    for (int i = 0; i < kArticleEntries; ++i) {
        const ArticleEntry& entry = table[static_cast<size_t>(i)];
        if (i >= expected.size()) {
            QVERIFY(entry.title.isEmpty() && entry.path.isEmpty() && entry.summary.isEmpty());
            continue;
        }
        QCOMPARE(entry.title, expected[i].caption);
        QCOMPARE(entry.path, "/article.asp?id=" + expected[i].id);
        const test::RawGame* game = m_raw.find(expected[i].id);
        QVERIFY(game);
        for (int points : {game->homePoints, game->awayPoints})
            QVERIFY2(entry.summary.contains(QString::number(points)), qPrintable(entry.summary));
        if (game->topScorerPoints >= 0)
            QVERIFY2(entry.summary.contains(game->topScorer + " " + QString::number(game->topScorerPoints)),
                     qPrintable(entry.summary));
    }
}

void NewsSiteTest::summariesFollowEveryCaption_data() {
    headlineListsLeadToTheirGames_data();
}

void NewsSiteTest::summariesFollowEveryCaption() {
    QFETCH(QByteArray, path);
    const Reply list = get(m_service->port(), path);
    const Reply content = get(m_service->port(), kSummaryPage);
    QCOMPARE(content.status, 200);
    QVERIFY(endsEveryLineWithCrLf(content.body));
    const QStringList lines = replyTextLines(list.body);
    const QStringList page = replyTextLines(content.body);
    const QList<Headline> articles = headlines(lines);
    QVERIFY(!articles.isEmpty());
    for (const Headline& a : articles) {
        QVERIFY2(!content.body.contains(a.tooltip.toLatin1()), qPrintable(a.tooltip));
        QCOMPARE(page.filter(a.caption).size(), 1); // no other article's line holds it
        QCOMPARE(lines.filter(a.caption).size(), 1);
    }

    QStringList merged = lines;
    mergeSummaries(merged, page);
    QCOMPARE(merged.size(), lines.size() + articles.size());
    for (qsizetype k = 0; k < articles.size(); ++k) {
        QCOMPARE(merged[4 * k + 1], articles[k].caption);
        QCOMPARE(merged[4 * k + 3], articles[k].tooltip);
        const QString summary = merged[4 * k + 2];
        const test::RawGame* game = m_raw.find(articles[k].id);
        QVERIFY(game);
        QVERIFY2(summary.contains(longDate(game->date)), qPrintable(summary));
        for (int points : {game->homePoints, game->awayPoints})
            QVERIFY2(summary.contains(QString::number(points)), qPrintable(summary));
    }
}

// The best individual scoring game, the widest margin and the most points of the day are all told.
void NewsSiteTest::notableGamesOfTheDay() {
    const QList<const test::RawGame*> games = m_raw.gamesOn(m_today.month(), m_today.day());
    QVERIFY(!games.isEmpty());
    const auto byScorer = [](const test::RawGame* a, const test::RawGame* b) {
        return a->topScorerPoints < b->topScorerPoints;
    };
    const test::RawGame* best = *std::max_element(games.begin(), games.end(), byScorer);
    int widest = 0, most = 0;
    for (const test::RawGame* g : games) {
        widest = std::max(widest, std::abs(g->homePoints - g->awayPoints));
        most = std::max(most, g->homePoints + g->awayPoints);
    }

    const QList<Headline> list = fetchHeadlines(kTodayList);
    const auto told = [&](const std::function<bool(const test::RawGame&)>& what) {
        return std::any_of(list.begin(), list.end(), [&](const Headline& h) {
            const test::RawGame* g = m_raw.find(h.id);
            return g && what(*g);
        });
    };
    const QString scorer = best->topScorer + " scored " + QString::number(best->topScorerPoints);
    QVERIFY2(std::any_of(list.begin(), list.end(),
                         [&](const Headline& h) {
                             return h.caption.contains(scorer) && h.caption.contains(longDate(best->date));
                         }),
             qPrintable(scorer));
    QVERIFY(told([&](const test::RawGame& g) { return std::abs(g.homePoints - g.awayPoints) == widest; }));
    QVERIFY(told([&](const test::RawGame& g) { return g.homePoints + g.awayPoints == most; }));
}

void NewsSiteTest::summerFallsBackToEarlierDates() {
    const QDate summer(2024, 8, 10);
    QVERIFY(m_raw.gamesOn(summer.month(), summer.day()).isEmpty()); // so the fallback is what is tested
    const QDate today = nearestDayWithGames(m_raw, summer);
    const QDate yesterday = nearestDayWithGames(m_raw, today.addDays(-1));
    QVERIFY(today.isValid() && yesterday.isValid());

    test::ServiceProcess service(test::ServiceProcess::builtDatabase(),
                                 {"--news-date", summer.toString(Qt::ISODate)});
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    for (const auto& [path, day] : {std::pair(kTodayList, today), std::pair(kYesterdayList, yesterday)}) {
        const Reply reply = get(service.port(), path);
        QCOMPARE(reply.status, 200);
        const QList<Headline> list = headlines(replyTextLines(reply.body));
        QCOMPARE(list.size(), expectedArticles(day));
        for (const Headline& h : list) {
            const test::RawGame* game = m_raw.find(h.id);
            QVERIFY2(game, qPrintable(h.id));
            QCOMPARE(game->date.month(), day.month());
            QCOMPARE(game->date.day(), day.day());
            QVERIFY2(h.caption.startsWith(longDate(game->date) + ":"), qPrintable(h.caption));
        }
    }
}

void NewsSiteTest::badNewsDateIsRefused_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("no 30 February") << "2024-02-30"
                                    << "no such day as \"2024-02-30\"";
    QTest::newRow("no 29 February in 2023") << "2023-02-29"
                                            << "no such day as \"2023-02-29\"";
    QTest::newRow("month 13") << "2024-13-01"
                              << "no such day as \"2024-13-01\"";
    QTest::newRow("short fields") << "2024-3-2"
                                  << "--news-date wants YYYY-MM-DD, got \"2024-3-2\"";
    QTest::newRow("words") << "yesterday"
                           << "--news-date wants YYYY-MM-DD, got \"yesterday\"";
}

void NewsSiteTest::badNewsDateIsRefused() {
    QFETCH(QString, value);
    QFETCH(QString, message);
    QProcess service;
    service.start(test::ServiceProcess::executablePath(), {"--db", test::ServiceProcess::builtDatabase(),
                                                           "--listen", "127.0.0.1:0", "--news-date", value});
    QVERIFY(service.waitForFinished(10000));
    QCOMPARE(service.exitCode(), 2);
    const QString errors = QString::fromLocal8Bit(service.readAllStandardError());
    QVERIFY2(errors.contains(message), qPrintable(errors));
    QVERIFY(service.readAllStandardOutput().isEmpty()); // it never listened
}

void NewsSiteTest::unknownArticleIsNotFound_data() {
    QTest::addColumn<QByteArray>("target");
    QTest::newRow("well-formed, no such game") << QByteArray("/article.asp?id=196203020XYZ");
    QTest::newRow("malformed") << QByteArray("/article.asp?id=wilt");
    QTest::newRow("no id") << QByteArray("/article.asp");
}

void NewsSiteTest::unknownArticleIsNotFound() {
    QFETCH(QByteArray, target);
    const Reply reply = get(m_service->port(), target);
    QCOMPARE(reply.status, 404);
    QCOMPARE(reply.reason, QByteArray("Article not found"));
    QVERIFY(reply.body.contains("Article not found"));
}

QTEST_GUILESS_MAIN(NewsSiteTest)
#include "tst_news_site.moc"
