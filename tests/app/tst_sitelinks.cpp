// Every address the default brand and the About and welcome boxes open, and every link on the
// pages they reach, is answered by the built service on the real data: no link ends on an error page.

#include "ClosedHosts.h"
#include "MakerAddresses.h"
#include "RawExchange.h"
#include "ServiceProcess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QUrl>

#include <memory>

using namespace statdesk;

namespace {

// The banner address's "{" is where the client puts the banner's number.
QString withBannerNumber(QString address) {
    return address.replace(QLatin1Char('{'), QLatin1Char('1'));
}

// The addresses the brand description names, as the brand tool reads them.
QStringList brandAddresses() {
    QFile file(QStringLiteral(STATDESK_DEFAULT_BRAND));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject brand = QJsonDocument::fromJson(file.readAll()).object();
    QStringList addresses{brand.value("UpdateAddress").toString(),
                          withBannerNumber(brand.value("BannerClickAddress").toString())};
    for (const char* list : {"MenuLinks", "PanelLinks", "MenuLinks2"})
        for (const QJsonValue& link : brand.value(list).toArray())
            addresses.append(link.toObject().value("Address").toString());
    addresses.removeAll(QString());
    return addresses;
}

// The address's path and query, to ask the test's own service for.
QString target(const QString& address) {
    const QUrl url(address);
    return url.path(QUrl::FullyEncoded) + (url.hasQuery() ? "?" + url.query(QUrl::FullyEncoded) : QString());
}

struct Reply {
    int status = 0;
    QByteArray body;
};

Reply get(quint16 port, const QString& path) {
    const QByteArray raw =
        test::exchangeRaw(QStringLiteral("127.0.0.1"), port, "GET " + path.toUtf8() + " HTTP/1.0\r\n\r\n");
    const qsizetype headEnd = raw.indexOf("\r\n\r\n");
    const QList<QByteArray> statusLine = raw.left(raw.indexOf("\r\n")).split(' ');
    return {statusLine.size() > 1 ? statusLine.at(1).toInt() : 0,
            headEnd < 0 ? QByteArray() : raw.mid(headEnd + 4)};
}

} // namespace

class TestSiteLinks : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void everyLinkIsAnswered();
    void theSiteSaysWhereTheDataComesFrom();

  private:
    std::unique_ptr<test::ServiceProcess> m_service;
};

void TestSiteLinks::initTestCase() {
    const QString banners = qEnvironmentVariable("STATDESK_BUILD_DIR") + QStringLiteral("/data/banners");
    m_service = std::make_unique<test::ServiceProcess>(
        test::ServiceProcess::builtDatabase(),
        QStringList{"--banners", banners, "--news-date", "2026-12-11"});
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    // The About and welcome boxes build their addresses from the maker's site.
    test::pointHostsAtClosedPort();
    qputenv("STATDESK_SITE", m_service->host().toUtf8());
    QCOMPARE(maker::homePage(), "http://" + m_service->host() + "/");
}

void TestSiteLinks::everyLinkIsAnswered() {
    QStringList start = brandAddresses();
    QVERIFY2(start.size() >= 6, qPrintable(start.join(", ")));
    start << maker::homePage() << maker::baseballSite() << maker::basketballSite() << maker::hockeySite()
          << maker::partnerSite() << maker::syndicationSite();

    // Walk the site from those addresses, following every link that stays on it.
    const QRegularExpression link(QStringLiteral("href=\"(/[^\"]*)\""));
    QStringList queue;
    for (const QString& address : std::as_const(start))
        queue.append(target(address));
    QSet<QString> seen(queue.begin(), queue.end());
    QStringList failures;
    constexpr int kMostPages = 400;
    int visited = 0;
    while (!queue.isEmpty() && visited < kMostPages) {
        const QString path = queue.takeFirst();
        ++visited;
        const Reply reply = get(m_service->port(), path);
        if (reply.status != 200) {
            failures.append(path + " -> " + QString::number(reply.status));
            continue;
        }
        for (const QRegularExpressionMatch& match : link.globalMatch(QString::fromUtf8(reply.body))) {
            const QString next = match.captured(1).replace(QStringLiteral("&amp;"), QStringLiteral("&"));
            if (!seen.contains(next)) {
                seen.insert(next);
                queue.append(next);
            }
        }
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n")));
    QVERIFY2(queue.isEmpty(), "the site has more pages than the walk allows");
    // The walk reached the news articles and the site's own pages through their links.
    QVERIFY(std::any_of(seen.begin(), seen.end(),
                        [](const QString& p) { return p.startsWith("/article.asp?"); }));
    QVERIFY(seen.contains("/licensed-content/"));
}

void TestSiteLinks::theSiteSaysWhereTheDataComesFrom() {
    const Reply page = get(m_service->port(), QStringLiteral("/licensed-content/"));
    QCOMPARE(page.status, 200);
    // Every repository the data notes name, with the licences they state.
    QFile notes(QStringLiteral(STATDESK_DATA_NOTES));
    QVERIFY(notes.open(QIODevice::ReadOnly));
    const QRegularExpression row(QStringLiteral("^\\| `[^`]+/` \\| ([^|(]+?)\\s*(\\(([^)]*)\\))?\\s*\\|"),
                                 QRegularExpression::MultilineOption);
    int repositories = 0;
    for (const QRegularExpressionMatch& match : row.globalMatch(QString::fromUtf8(notes.readAll()))) {
        ++repositories;
        QVERIFY2(page.body.contains(match.captured(1).toUtf8()), qPrintable(match.captured(1)));
        if (match.captured(3) == QStringLiteral("MIT"))
            QVERIFY2(page.body.contains(QByteArray(match.captured(1).toUtf8() + "</td><td>MIT")),
                     qPrintable(match.captured(1)));
    }
    QVERIFY(repositories >= 7);
}

QTEST_MAIN(TestSiteLinks)
#include "tst_sitelinks.moc"
