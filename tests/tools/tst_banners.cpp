// The banners the build drew: read back by Qt's GIF reader, and their facts checked against the raw
// rows, which the test reads with its own small reader, not the tool's.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QRect>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

namespace {

constexpr int kWidth = 468;
constexpr int kHeight = 60;

// The raw files used here quote no field, so a line splits on every comma.
struct Csv {
    QStringList header;
    QList<QStringList> rows;
    QString error;

    QString at(const QStringList& row, const QString& column) const {
        return row.value(header.indexOf(column));
    }
};

Csv readCsv(const QString& relative, int headerLine = 0) {
    Csv csv;
    QFile file(QStringLiteral(STATDESK_RAW_DATA "/") + relative);
    if (!file.open(QIODevice::ReadOnly)) {
        csv.error = "cannot read " + file.fileName();
        return csv;
    }
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove('\r');
    const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    csv.header = lines.value(headerLine).split(',');
    for (qsizetype i = headerLine + 1; i < lines.size(); ++i) {
        csv.rows << lines[i].split(',');
        if (csv.rows.back().size() != csv.header.size())
            csv.error = relative + ": a quoted comma in line " + QString::number(i + 1);
    }
    return csv;
}

QString seasonLabel(int endYear) {
    return QString::number(endYear - 1) + "-" + QString::number(endYear % 100).rightJustified(2, '0');
}

QString thousands(qint64 value) {
    return QLocale(QLocale::English).toString(value);
}

struct Banner {
    QString file, id, title, text;
};

QString bannerFolder() {
    return qEnvironmentVariable("STATDESK_BUILD_DIR") + QStringLiteral("/data/banners");
}

QList<Banner> readIndex() {
    QFile file(bannerFolder() + QStringLiteral("/banners.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Banner> banners;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('#'))
            continue;
        const QStringList fields = line.split('\t');
        banners.append({fields.value(0), fields.value(1), fields.value(2), fields.value(3)});
    }
    return banners;
}

// The raw data the expected facts come from.
class RawFacts {
  public:
    QString error;

    RawFacts() {
        m_teams = readCsv(QStringLiteral("bball-reference-datasets/Team Summaries.csv"));
        m_players = readCsv(QStringLiteral("contract-prediction-2020/Player Totals.csv"));
        error = m_teams.error + m_players.error;
        for (const QStringList& r : std::as_const(m_teams.rows)) {
            bool winsOk = false, lossesOk = false;
            const int w = m_teams.at(r, "w").toInt(&winsOk), l = m_teams.at(r, "l").toInt(&lossesOk);
            if (!winsOk || !lossesOk)
                continue;
            const int season = m_teams.at(r, "season").toInt();
            int& schedule = m_schedule[{season, m_teams.at(r, "lg")}];
            schedule = std::max(schedule, w + l);
            m_teamNames[{season, m_teams.at(r, "abbreviation")}] = m_teams.at(r, "team");
        }
        // One line per player-season: the "TOT" line of a traded player, else his only line.
        for (const QStringList& r : std::as_const(m_players.rows)) {
            const auto key = std::make_tuple(m_players.at(r, "season").toInt(), m_players.at(r, "lg"),
                                             m_players.at(r, "player_id"));
            if (!m_seasons.contains(key) || m_players.at(r, "tm") == "TOT")
                m_seasons[key] = r;
        }
    }

    QString column(const QStringList& row, const char* name) const { return m_players.at(row, name); }
    QString teamName(int season, const QString& abbreviation) const {
        return m_teamNames.at({season, abbreviation});
    }

    // The NBA scoring leader of a season among players in 70 per cent of the longest team schedule.
    QStringList scoringLeader(int season) const {
        const int schedule = m_schedule.at({season, QStringLiteral("NBA")});
        QStringList best;
        double bestPerGame = -1;
        for (const auto& [key, r] : m_seasons) {
            const int games = column(r, "g").toInt();
            if (std::get<0>(key) != season || std::get<1>(key) != "NBA" || games * 10 < schedule * 7)
                continue;
            const double perGame = column(r, "pts").toDouble() / games;
            if (perGame > bestPerGame) {
                bestPerGame = perGame;
                best = r;
            }
        }
        return best;
    }

    // Player name and regular-season points of the top career scorer (NBA and BAA).
    std::pair<QString, qint64> careerLeader() const {
        std::map<QString, std::pair<QString, qint64>> careers;
        for (const auto& [key, r] : m_seasons) {
            if (std::get<1>(key) == "NBA" || std::get<1>(key) == "BAA") {
                auto& career = careers[std::get<2>(key)];
                career.first = column(r, "player");
                career.second += column(r, "pts").toLongLong();
            }
        }
        std::pair<QString, qint64> best;
        for (const auto& [id, career] : careers) {
            if (career.second > best.second)
                best = career;
        }
        return best;
    }

    // Season, team and W-L of the most wins in a season.
    QStringList mostWins() const {
        QStringList best;
        for (const QStringList& r : m_teams.rows) {
            bool ok = false;
            const int w = m_teams.at(r, "w").toInt(&ok);
            if (ok && (best.isEmpty() || w > m_teams.at(best, "w").toInt()))
                best = r;
        }
        return {m_teams.at(best, "season"), m_teams.at(best, "team"),
                m_teams.at(best, "w") + "-" + m_teams.at(best, "l")};
    }

  private:
    Csv m_teams, m_players;
    std::map<std::pair<int, QString>, int> m_schedule;
    std::map<std::pair<int, QString>, QString> m_teamNames;
    std::map<std::tuple<int, QString, QString>, QStringList> m_seasons;
};

} // namespace

class BannersTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void everyBannerIsAGifOfBannerSize_data();
    void everyBannerIsAGifOfBannerSize();
    void indexListsEveryBanner();
    void everyBannerCarriesTextAndNoTwoAreAlike();
    void factsMatchTheRawData_data();
    void factsMatchTheRawData();

  private:
    QList<Banner> m_index;
};

void BannersTest::initTestCase() {
    m_index = readIndex();
    QVERIFY2(m_index.size() >= 8 && m_index.size() <= 16,
             qPrintable("the build's banner index lists " + QString::number(m_index.size()) + " banners in " +
                        bannerFolder()));
    QVERIFY2(QImageReader::supportedImageFormats().contains("gif"), "Qt reads no GIF here");
}

void BannersTest::everyBannerIsAGifOfBannerSize_data() {
    QTest::addColumn<QString>("path");
    const QStringList files = QDir(bannerFolder()).entryList({QStringLiteral("*.gif")}, QDir::Files);
    QVERIFY2(!files.isEmpty(), "no banner files were made");
    for (const QString& file : files)
        QTest::newRow(qPrintable(file)) << QDir(bannerFolder()).filePath(file);
}

void BannersTest::everyBannerIsAGifOfBannerSize() {
    QFETCH(QString, path);
    QImageReader reader(path, "gif");
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), QSize(kWidth, kHeight));
    // The band, the ball, the court lines and anti-aliased text: many colours, not a blank field, and
    // many across the middle line too, where a bare top-to-bottom band would have one.
    QSet<QRgb> colours, middle;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            (y == kHeight / 2 ? middle : colours).insert(image.pixel(x, y));
    }
    QVERIFY2(colours.size() > 32, qPrintable(QString::number(colours.size()) + " colours"));
    QVERIFY2(middle.size() > 8, qPrintable(QString::number(middle.size()) + " colours in the middle line"));
}

void BannersTest::indexListsEveryBanner() {
    QSet<QString> listed, ids;
    for (const Banner& banner : std::as_const(m_index)) {
        QVERIFY2(!banner.title.isEmpty() && !banner.text.isEmpty(), qPrintable(banner.file));
        listed.insert(banner.file);
        ids.insert(banner.id);
    }
    const QStringList files = QDir(bannerFolder()).entryList({QStringLiteral("*.gif")}, QDir::Files);
    QCOMPARE(listed, QSet<QString>(files.begin(), files.end()));
    QCOMPARE(ids.size(), m_index.size());
}

// The text sits right of the ball, white on the band: many near-white pixels there, where the band,
// the ball and the faint court lines have none. Pictures that differ in text differ in pixels.
void BannersTest::everyBannerCarriesTextAndNoTwoAreAlike() {
    const QRect textArea(64, 20, kWidth - 64, 36);
    QList<QImage> pictures;
    for (const Banner& banner : std::as_const(m_index)) {
        const QImage image(QDir(bannerFolder()).filePath(banner.file), "gif");
        QVERIFY2(!image.isNull(), qPrintable(banner.file));
        int ink = 0;
        for (int y = textArea.top(); y <= textArea.bottom(); ++y)
            for (int x = textArea.left(); x <= textArea.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) >= 220)
                    ++ink;
            }
        QVERIFY2(ink >= 200, qPrintable(QStringLiteral("%1: %2 pixels of text").arg(banner.file).arg(ink)));
        for (qsizetype other = 0; other < pictures.size(); ++other)
            QVERIFY2(pictures[other] != image,
                     qPrintable(banner.file + QStringLiteral(" is the picture of ") + m_index[other].file));
        pictures << image;
    }
}

void BannersTest::factsMatchTheRawData_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<QStringList>("inTitle");
    QTest::addColumn<QStringList>("inText");
    const RawFacts raw;
    QVERIFY2(raw.error.isEmpty(), qPrintable(raw.error));
    for (int season : {1962, 1987, 2006, 2019}) {
        const QStringList r = raw.scoringLeader(season);
        QVERIFY2(!r.isEmpty(), qPrintable("no scoring leader for " + QString::number(season)));
        const QString name = raw.column(r, "player");
        const QString perGame =
            QString::number(raw.column(r, "pts").toDouble() / raw.column(r, "g").toInt(), 'f', 1);
        QTest::addRow("scoring leader %d", season)
            << "scoring-" + QString::number(season) << QStringList{name, perGame}
            << QStringList{seasonLabel(season), perGame + " points a game",
                           thousands(raw.column(r, "pts").toLongLong()) + " points in " + raw.column(r, "g") +
                               " games",
                           raw.teamName(season, raw.column(r, "tm"))};
    }
    const auto [careerName, careerPoints] = raw.careerLeader();
    QTest::newRow("career points") << QStringLiteral("career-points")
                                   << QStringList{careerName, thousands(careerPoints)}
                                   << QStringList{careerName + " scored " + thousands(careerPoints)};
    const QStringList wins = raw.mostWins();
    QTest::newRow("most wins") << QStringLiteral("most-wins") << QStringList{wins[1], wins[2]}
                               << QStringList{"The " + seasonLabel(wins[0].toInt()) + " " + wins[1]};
}

void BannersTest::factsMatchTheRawData() {
    QFETCH(QString, id);
    QFETCH(QStringList, inTitle);
    QFETCH(QStringList, inText);
    const auto banner =
        std::find_if(m_index.begin(), m_index.end(), [&](const Banner& b) { return b.id == id; });
    QVERIFY2(banner != m_index.end(), qPrintable("no banner " + id));
    for (const QString& fact : inTitle)
        QVERIFY2(banner->title.contains(fact),
                 qPrintable("\"" + fact + "\" not in \"" + banner->title + "\""));
    for (const QString& fact : inText)
        QVERIFY2(banner->text.contains(fact), qPrintable("\"" + fact + "\" not in \"" + banner->text + "\""));
}

QTEST_MAIN(BannersTest)
#include "tst_banners.moc"
