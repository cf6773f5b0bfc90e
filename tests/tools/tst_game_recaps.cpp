// The game recaps of the built database against the raw box scores and game logs, read here.
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTest>

#include <sqlite3.h>

#include <memory>

namespace {

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

const QString kRaw = QStringLiteral(STATDESK_RAW_DATA);
const QString kBoxScores = kRaw + "/gonzalo-gigena-nba-datasets/boxscores_by_year";
const QString kGameLogs = kRaw + "/nocturnebear-nba-2010-2024/play_off_totals_2010_2024.csv";

// None of the raw files used here quotes a field.
QList<QStringList> csvRows(const QString& path) {
    QFile file(path);
    QList<QStringList> rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    while (!file.atEnd())
        rows.append(QString::fromUtf8(file.readLine()).trimmed().split(','));
    return rows;
}

struct TeamLine {
    int points = 0;
    QString topScorer;
    int topScorerPoints = -1;
};

// What the recap of one game should say, from the raw lines.
struct Expected {
    QString league, season;
    QHash<QString, TeamLine> teams;
};

} // namespace

class TestGameRecaps : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<sqlite3, CloseDb> m_db;
    QHash<QString, QString> m_series; // playoff game id to series
    QHash<QString, Expected> m_boxScoreGames;
    QSet<QString> m_gameLogIds;

    QStringList recap(const QString& gameId) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(
            m_db.get(),
            "SELECT game_date, league, season_start, home_code, away_code, home_points, away_points, "
            "playoff, series, series_game, series_home_wins, series_away_wins, home_leaders, "
            "away_leaders FROM game_recaps WHERE game_id = ?",
            -1, &s, nullptr);
        const QByteArray id = gameId.toLatin1();
        sqlite3_bind_text(s, 1, id.constData(), -1, SQLITE_TRANSIENT);
        QStringList values;
        if (sqlite3_step(s) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(s); ++i)
                values << QString::fromLatin1(reinterpret_cast<const char*>(sqlite3_column_text(s, i)));
        }
        sqlite3_finalize(s);
        return values;
    }

    void readBoxScores() {
        for (const QString& name : QDir(kBoxScores).entryList({"*.csv"})) {
            const QList<QStringList> rows = csvRows(kBoxScores + "/" + name);
            const QStringList header = rows.value(0);
            const int game = header.indexOf("Game Reference"), team = header.indexOf("Team"),
                      player = header.indexOf("Player Name"), points = header.indexOf("PTS");
            for (const QStringList& row : rows.mid(1)) {
                Expected& e = m_boxScoreGames[row[game]];
                e.league = name.left(3);
                e.season = name.mid(4, 4);
                TeamLine& line = e.teams[row[team]];
                bool number = false;
                const int scored = row[points].toInt(&number);
                line.points += number ? scored : 0;
                if (number && scored > line.topScorerPoints) {
                    line.topScorer = row[player];
                    line.topScorerPoints = scored;
                }
            }
        }
    }

    // The two lines of one logged game: home code, home points, away code, away points.
    static QStringList loggedGame(const QString& date, const QString& home) {
        const QList<QStringList> rows = csvRows(kGameLogs);
        const QStringList header = rows.value(0);
        const int id = header.indexOf("GAME_ID"), day = header.indexOf("GAME_DATE"),
                  matchup = header.indexOf("MATCHUP"), code = header.indexOf("TEAM_ABBREVIATION"),
                  points = header.indexOf("PTS");
        QString gameId;
        for (const QStringList& row : rows) {
            if (row.value(day).startsWith(date) && row[matchup].startsWith(home + " vs. "))
                gameId = row[id];
        }
        QStringList sides(4);
        for (const QStringList& row : rows) {
            if (row.value(id) != gameId || gameId.isEmpty())
                continue;
            const int at = row[matchup].contains(" vs. ") ? 0 : 2;
            sides[at] = row[code];
            sides[at + 1] = row[points];
        }
        return sides;
    }

  private slots:
    void initTestCase() {
        const QString file = qEnvironmentVariable("STATDESK_BUILD_DIR") + "/data/statdesk.db";
        QVERIFY2(QFile::exists(file), qPrintable(file + " has not been built"));
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        m_db.reset(db);
        for (const QStringList& row : csvRows(kRaw + "/gonzalo-gigena-nba-datasets/playoffs.csv").mid(1))
            m_series.insert(row[0], row[1]);
        QVERIFY(m_series.size() > 4000);
        readBoxScores();
        QVERIFY(m_boxScoreGames.size() > 39000);
        const QList<QStringList> logs = csvRows(kGameLogs);
        for (const QStringList& row : logs.mid(1))
            m_gameLogIds.insert(row[logs[0].indexOf("GAME_ID")]);
    }

    // Series and standings are history (values written here); scores, teams, leagues and leaders come from
    // the raw lines.
    void boxScoreGames_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("series");
        QTest::newRow("Wilt Chamberlain's 100, 1962")
            << "196203020NYK" << QStringList{"0", "", "0", "0", "0"};
        QTest::newRow("BAA Finals 1947, game 5")
            << "194704220PHW" << QStringList{"1", "Finals", "5", "4", "1"};
        QTest::newRow("Finals 1969, game 7") << "196905050LAL" << QStringList{"1", "Finals", "7", "3", "4"};
        QTest::newRow("ABA Finals 1976, game 6")
            << "197605130NYA" << QStringList{"1", "Finals", "6", "4", "2"};
    }
    void boxScoreGames() {
        QFETCH(QString, id);
        QFETCH(QStringList, series);
        QVERIFY(m_boxScoreGames.contains(id));
        const Expected& e = m_boxScoreGames[id];
        const QString home = id.mid(9);
        QCOMPARE(e.teams.size(), 2);
        QString away;
        for (auto it = e.teams.begin(); it != e.teams.end(); ++it)
            away = it.key() == home ? away : it.key();
        const QString date = id.left(4) + "-" + id.mid(4, 2) + "-" + id.mid(6, 2);
        const QStringList row = recap(id);
        QCOMPARE(row.size(), 14);
        QCOMPARE(row.mid(0, 7),
                 (QStringList{date, e.league, e.season, home, away, QString::number(e.teams[home].points),
                              QString::number(e.teams[away].points)}));
        QCOMPARE(row[8], m_series.value(id));
        QCOMPARE((QStringList{row[7], row[8], row[9], row[10], row[11]}), series);
        for (const auto& [code, leaders] : {std::pair(home, row[12]), std::pair(away, row[13])}) {
            const TeamLine& line = e.teams[code];
            QVERIFY2(leaders.startsWith(line.topScorer + "|" + QString::number(line.topScorerPoints) + "|"),
                     qPrintable(leaders));
        }
    }

    void gameLogGame() {
        const QStringList sides = loggedGame("2016-06-19", "GSW");
        QCOMPARE(sides.size(), 4);
        QVERIFY(!sides[1].isEmpty() && !sides[3].isEmpty());
        const QStringList row = recap("20160619" + QStringLiteral("0") + sides[0]);
        QCOMPARE(row.size(), 14);
        QCOMPARE(row.mid(0, 7),
                 (QStringList{"2016-06-19", "NBA", "2015", sides[0], sides[2], sides[1], sides[3]}));
        QCOMPARE((QStringList{row[7], row[8], row[9], row[10], row[11]}),
                 (QStringList{"1", m_series.value("201606190GSW"), "7", "3", "4"}));
        QCOMPARE(row[12], QString()); // the logs have no player lines
    }

    // One row per game of the box scores (both sides present) and per game of the logs.
    void everyGameHasOneRow() {
        int bothSides = 0;
        for (const Expected& e : std::as_const(m_boxScoreGames))
            bothSides += e.teams.size() == 2 ? 1 : 0;
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(m_db.get(), "SELECT count(*), count(DISTINCT game_id) FROM game_recaps", -1, &s,
                           nullptr);
        QCOMPARE(sqlite3_step(s), SQLITE_ROW);
        const int rows = sqlite3_column_int(s, 0), distinct = sqlite3_column_int(s, 1);
        sqlite3_finalize(s);
        QCOMPARE(rows, distinct);
        QCOMPARE(rows, bothSides + int(m_gameLogIds.size()));
    }
};

QTEST_GUILESS_MAIN(TestGameRecaps)
#include "tst_game_recaps.moc"
