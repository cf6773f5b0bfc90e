// Spot checks of the built database against seasons any record book confirms.
#include "ReplyLayout.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <cmath>
#include <memory>

using namespace statdesk;

namespace {

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

} // namespace

class TestDatasetData : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<sqlite3, CloseDb> m_db;

    QString m_file;

    // Runs the builder; returns its exit code and leaves its messages in `messages`.
    int runBuilder(const QString& raw, const QString& out, QString& messages) {
        QProcess builder;
        builder.start(STATDESK_DATASET_TOOL, {"--raw", raw, "--out", out});
        builder.waitForFinished(-1);
        messages = QString::fromLocal8Bit(builder.readAllStandardError());
        return builder.exitStatus() == QProcess::NormalExit ? builder.exitCode() : -1;
    }

    // Every value of the first row of a query, as text ("" for none).
    QStringList row(const QString& sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(m_db.get(), sql.toUtf8().constData(), -1, &s, nullptr) != SQLITE_OK) {
            qWarning() << sqlite3_errmsg(m_db.get());
            return {};
        }
        QStringList values;
        if (sqlite3_step(s) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(s); ++i) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
                values << QString::fromLatin1(text ? text : "");
            }
        }
        sqlite3_finalize(s);
        return values;
    }

  private slots:
    void initTestCase() {
        m_file = qEnvironmentVariable("STATDESK_BUILD_DIR") + "/data/statdesk.db";
        if (!QFile::exists(m_file))
            QSKIP("the database has not been built");
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open_v2(m_file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        m_db.reset(db);
    }

    void famousSeasons_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Wilt Chamberlain 1961-62")
            << "SELECT f1, f2, f6, f7, f45, round(f28, 1), f5 FROM players_regular "
               "WHERE f0 = 'Wilt Chamberlain' AND f4 = '6162'"
            << QStringList{"NBA", "PHW", "80", "3882", "4029", "50.4", "7-1"};
        QTest::newRow("Michael Jordan 1987-88") << "SELECT f2, f6, f45, round(f28, 1) FROM players_regular "
                                                   "WHERE f0 = 'Michael Jordan' AND f4 = '8788'"
                                                << QStringList{"CHI", "82", "2868", "35.0"};
        QTest::newRow("Chicago 1995-96")
            << "SELECT f1, f2, f3, f5, f6, f7, round(f8, 3), f9, f10 FROM teams_regular "
               "WHERE f0 = 'CHI' AND f4 = '9596'"
            << QStringList{"Chicago Bulls", "NBA", "CD", "82", "72", "10", "0.878", "39", "2"};
        QTest::newRow("Kareem's Milwaukee 1970-71")
            << "SELECT f6, f7, f57 FROM teams_regular WHERE f0 = 'MIL' AND f4 = '7071'"
            << QStringList{"66", "16", "9710"};
        QTest::newRow("Jordan's first title run, 1990-91")
            << "SELECT f6, f45 FROM players_playoffs WHERE f0 = 'Michael Jordan' AND f4 = '9091'"
            << QStringList{"17", "529"};
        QTest::newRow("Boston 1985-86 playoffs")
            << "SELECT f5, f6, f7 FROM teams_playoffs WHERE f0 = 'BOS' AND f4 = '8586'"
            << QStringList{"18", "15", "3"};
        QTest::newRow("Golden State 2016-17 playoffs, from game logs")
            << "SELECT f6, f7, f1 FROM teams_playoffs WHERE f0 = 'GSW' AND f4 = '1617'"
            << QStringList{"16", "1", "Golden State Warriors"};
        QTest::newRow("a name fitted by its initial")
            << "SELECT f0, f5 FROM players_regular WHERE f0 LIKE '%Antetokounmpo' AND f4 = '1819'"
            << QStringList{"G. Antetokounmpo", "6-11"};
        QTest::newRow("a name moved into the code page")
            << "SELECT f0 FROM players_regular WHERE f0 LIKE 'Nikola Jok%' AND f4 = '1819'"
            << QStringList{"Nikola Jokic"};
    }
    void famousSeasons() {
        QFETCH(QString, sql);
        QFETCH(QStringList, expected);
        QCOMPARE(row(sql), expected);
    }

    void eraSentinels_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("expected");
        // Old rating per game, Player Totals.csv: (4029 + 2052 + 192 - 1562 - 528 - 123) / 80.
        QTest::newRow("no steals, turnovers or threes in 1961-62; old rating exists")
            << "SELECT f25, f26, f13, f29, f31 FROM players_regular WHERE f0 = 'Wilt Chamberlain' AND f4 "
               "= '6162'"
            << QStringList{"-999", "-999", "-999", "-999.0", "50.75"};
        QTest::newRow("no NBA three-pointers before 1979-80")
            << "SELECT count(*) FROM players_regular WHERE f1 = 'NBA' AND season_start < 1979 AND f13 <> -999"
            << QStringList{"0"};
        // Player Totals.csv, 1968: 147 of 461 three-pointers; steals 0 in every ABA line of that season.
        QTest::newRow("ABA three-pointers from its first season")
            << "SELECT f13, f14, f25 FROM players_regular WHERE f0 = 'Lester Selvage' AND f4 = '6768'"
            << QStringList{"147", "461", "-999"};
        QTest::newRow("no minutes before 1951-52")
            << "SELECT count(*) FROM players_regular WHERE season_start < 1951 AND f7 <> -999"
            << QStringList{"0"};
        // Team Totals.csv, 1965: 3567 of 8609 field goals.
        QTest::newRow("team sentinels")
            << "SELECT f32, round(f18, 4), f23 FROM teams_regular WHERE f0 = 'BOS' AND f4 = '6465'"
            << QStringList{"-1", "41.4334", "-1.0"};
        QTest::newRow("no traded player's season sums")
            << "SELECT count(*) FROM players_regular WHERE f2 = 'TOT'" << QStringList{"0"};
    }
    void eraSentinels() {
        QFETCH(QString, sql);
        QFETCH(QStringList, expected);
        QCOMPARE(row(sql), expected);
    }

    // Playoff player and team totals of the box-score years come from the same games by different roads.
    void playoffPlayerPointsAddUpToTeamPoints() {
        const auto mismatches =
            row("SELECT count(*) FROM teams_playoffs t WHERE t.season_start < 1949 AND t.f57 <> "
                "(SELECT sum(p.f45) FROM players_playoffs p WHERE p.season_start = t.season_start AND p.f2 = "
                "t.f0)");
        QCOMPARE(mismatches, QStringList{"0"});
        QCOMPARE(row("SELECT count(*) > 0 FROM players_playoffs WHERE f1 = 'BAA'"), QStringList{"1"});
    }

    void columnsFollowTheReplyLayout() {
        const std::pair<const char*, Family> tables[] = {{"players_regular", Family::Players},
                                                         {"players_playoffs", Family::Players},
                                                         {"teams_regular", Family::Teams},
                                                         {"teams_playoffs", Family::Teams}};
        for (const auto& [table, family] : tables) {
            const auto fields = replyFields(family);
            for (size_t f = 0; f < fields.size(); ++f) {
                const QString type = fields[f].type == FieldType::Text      ? "TEXT"
                                     : fields[f].type == FieldType::Integer ? "INTEGER"
                                                                            : "REAL";
                QCOMPARE(row(QString("SELECT type FROM pragma_table_info('%1') WHERE name = 'f%2'")
                                 .arg(table)
                                 .arg(f)),
                         QStringList{type});
                if (fields[f].type == FieldType::Text)
                    QCOMPARE(row(QString("SELECT max(length(CAST(f%1 AS BLOB))) <= %2 FROM %3")
                                     .arg(f)
                                     .arg(fields[f].capacity)
                                     .arg(table)),
                             QStringList{"1"});
            }
        }
        QCOMPARE(row("SELECT length(value) > 0 FROM meta WHERE key = 'input_fingerprint'"), QStringList{"1"});
    }

    // Same inputs, same bytes; and a second run with unchanged inputs leaves the file alone.
    void rebuildsDeterministicallyAndOnlyWhenInputsChange() {
        QTemporaryDir dir;
        const QString out = dir.filePath("again.db");
        QString messages;
        QCOMPARE(runBuilder(STATDESK_RAW_DATA, out, messages), 0);
        QFile built(m_file), again(out);
        QVERIFY(built.open(QIODevice::ReadOnly) && again.open(QIODevice::ReadOnly));
        QVERIFY(built.readAll() == again.readAll());
        again.close();

        QCOMPARE(runBuilder(STATDESK_RAW_DATA, out, messages), 0);
        QVERIFY2(messages.contains("up to date"), qPrintable(messages));
    }

    void reportsMissingInputs() {
        QTemporaryDir dir;
        QString messages;
        QCOMPARE(runBuilder(dir.filePath("absent"), dir.filePath("out.db"), messages), 1);
        QVERIFY2(messages.contains("raw data folder not found"), qPrintable(messages));
        QCOMPARE(runBuilder(dir.path(), dir.filePath("out.db"), messages), 1);
        QVERIFY2(messages.contains("missing input file"), qPrintable(messages));
        QVERIFY(!QFile::exists(dir.filePath("out.db")));
    }
};

QTEST_GUILESS_MAIN(TestDatasetData)
#include "tst_dataset_data.moc"
