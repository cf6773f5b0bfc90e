// The shipped reference files, written from the real raw data and read back against the raw rows they
// come from. The test reads the CSV files with its own small reader, not the tool's.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A comma-separated file: the header and the rows, quotes taken off.
struct Csv {
    QStringList header;
    QList<QStringList> rows;

    QString at(const QStringList& row, const QString& column) const {
        return row.value(header.indexOf(column));
    }
};

QStringList splitCsvLine(const QString& line) {
    QStringList fields;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields << field;
            field.clear();
        } else {
            field += c;
        }
    }
    fields << field;
    return fields;
}

Csv readCsv(const QString& relative) {
    QFile file(QStringLiteral(STATDESK_RAW_DATA) + "/" + relative);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove('\r');
    Csv csv;
    const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    csv.header = splitCsvLine(lines.value(0));
    for (qsizetype i = 1; i < lines.size(); ++i)
        csv.rows << splitCsvLine(lines[i]);
    return csv;
}

// "1989-90" and "8990" for the season that ends in 1990.
QString seasonLabel(int endYear) {
    return QString("%1-%2").arg(endYear - 1).arg(endYear % 100, 2, 10, QChar('0'));
}
QString seasonCode(int endYear) {
    return QString("%1%2").arg((endYear - 1) % 100, 2, 10, QChar('0')).arg(endYear % 100, 2, 10, QChar('0'));
}

// 1990 for "8990", 2000 for "9900", 2001 for "0001"; the data starts with 1946-47.
int endYearOfCode(const QString& code) {
    const int start = code.left(2).toInt();
    return (start >= 46 ? 1900 : 2000) + start + 1;
}

QString pct(int wins, int losses) {
    const QString text = QString::number(double(wins) / (wins + losses), 'f', 3);
    return text.startsWith("0") ? text.mid(1) : text;
}

const QString kAwardShares = "bball-reference-datasets/Player Award Shares.csv";
const QString kSummaries = "bball-reference-datasets/Team Summaries.csv";
const QString kSeries = "opensourcesports-basketball/basketball_series_post.csv";

} // namespace

class TestDocuments : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_first, m_second;
    Csv m_summaries;

    static int runTool(const QString& out) {
        QProcess tool;
        tool.start(qEnvironmentVariable("STATDESK_BUILD_DIR") + "/tools/documents/statdesk-documents",
                   {"--raw", STATDESK_RAW_DATA, "--out", out});
        tool.waitForFinished(-1);
        if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
            qWarning() << tool.readAllStandardError();
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    }

    QByteArray bytes(const QString& name) const {
        QFile file(m_first.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The lines of a written file, playoff files decoded; empty when the file is missing.
    QList<QByteArray> rawLines(const QString& name) const {
        QList<QByteArray> lines = bytes(name).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        for (auto& line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (name.endsWith(".PL1")) {
                for (auto& c : line)
                    c = char(255 - static_cast<unsigned char>(c));
            }
        }
        return lines;
    }

    QStringList lines(const QString& name) const {
        QStringList text;
        for (const auto& line : rawLines(name))
            text << QString::fromLatin1(line);
        return text;
    }

    static QStringList matching(const QStringList& lines, const QStringList& parts) {
        QStringList found;
        for (const auto& line : lines) {
            if (std::all_of(parts.begin(), parts.end(), [&](const QString& p) { return line.contains(p); }))
                found << line;
        }
        return found;
    }

    QString teamName(int endYear, const QString& code) const {
        for (const auto& r : m_summaries.rows) {
            if (m_summaries.at(r, "season") == QString::number(endYear) &&
                m_summaries.at(r, "abbreviation") == code)
                return m_summaries.at(r, "team");
        }
        return {};
    }

  private slots:
    void initTestCase() {
        QVERIFY(m_first.isValid() && m_second.isValid());
        QCOMPARE(runTool(m_first.path()), 0);
        m_summaries = readCsv(kSummaries);
        QVERIFY(!m_summaries.rows.isEmpty());
    }

    void awardWinners_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("award");
        QTest::addColumn<int>("endYear");
        QTest::newRow("NBA MVP 1989-90") << "mvp.awd"
                                         << "nba mvp" << 1990;
        QTest::newRow("ABA MVP 1974-75, shared") << "mvp.awd"
                                                 << "aba mvp" << 1975;
        QTest::newRow("NBA rookies 1951-52, shared") << "rkofyr.awd"
                                                     << "nba roy" << 1952;
        QTest::newRow("BAA rookie 1947-48") << "rkofyr.awd"
                                            << "baa roy" << 1948;
        QTest::newRow("first defensive player, 1982-83") << "defplyr.awd"
                                                         << "nba dpoy" << 1983;
        QTest::newRow("sixth man 2005-06") << "sixth.awd"
                                           << "nba smoy" << 2006;
    }
    void awardWinners() {
        QFETCH(QString, file);
        QFETCH(QString, award);
        QFETCH(int, endYear);
        const Csv shares = readCsv(kAwardShares);
        QStringList winners;
        for (const auto& r : shares.rows) {
            if (shares.at(r, "season") == QString::number(endYear) && shares.at(r, "award") == award &&
                shares.at(r, "winner") == "TRUE")
                winners << shares.at(r, "player");
        }
        QVERIFY(!winners.isEmpty());
        const QString league = award.left(3).toUpper();
        const QStringList list = lines(file);
        const QStringList season = matching(list, {seasonLabel(endYear) + "  " + league + "  "});
        QCOMPARE(season.size(), winners.size());
        const QStringList summary = lines(seasonCode(endYear) + ".SUM");
        for (const auto& name : winners) {
            QCOMPARE(matching(season, {name}).size(), 1);
            QVERIFY2(!matching(summary, {name}).isEmpty(), qPrintable(name));
        }
    }

    void endOfSeasonTeams_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("league");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("endYear");
        QTest::newRow("All-NBA first team 1989-90") << "allpro.awd"
                                                    << "All-NBA"
                                                    << "NBA"
                                                    << "1st" << 1990;
        QTest::newRow("All-BAA second team 1946-47") << "allpro.awd"
                                                     << "All-BAA"
                                                     << "BAA"
                                                     << "2nd" << 1947;
        QTest::newRow("All-NBA third team 2019-20") << "allpro.awd"
                                                    << "All-NBA"
                                                    << "NBA"
                                                    << "3rd" << 2020;
        QTest::newRow("ABA all-defense 1972-73") << "alldef.awd"
                                                 << "All-Defense"
                                                 << "ABA"
                                                 << "1st" << 1973;
        QTest::newRow("all-rookie second team 1999-00") << "allrooky.awd"
                                                        << "All-Rookie"
                                                        << "NBA"
                                                        << "2nd" << 2000;
    }
    void endOfSeasonTeams() {
        QFETCH(QString, file);
        QFETCH(QString, type);
        QFETCH(QString, league);
        QFETCH(QString, number);
        QFETCH(int, endYear);
        const Csv teams = readCsv("bball-reference-datasets/End of Season Teams.csv");
        QStringList players;
        for (const auto& r : teams.rows) {
            if (teams.at(r, "season") == QString::number(endYear) && teams.at(r, "type") == type &&
                teams.at(r, "number_tm") == number && teams.at(r, "lg") == league)
                players << teams.at(r, "player");
        }
        QVERIFY(!players.isEmpty());
        const QStringList team =
            matching(lines(file), {seasonLabel(endYear) + "  " + league + "  " + number + " "});
        QCOMPARE(team.size(), players.size());
        for (const auto& name : players)
            QVERIFY2(matching(team, {name}).size() == 1, qPrintable(name));
    }

    void allStarSelections_data() {
        QTest::addColumn<int>("endYear");
        QTest::addColumn<QString>("side");
        QTest::newRow("NBA West 1989-90") << 1990 << "West";
        QTest::newRow("ABA 1975-76, league against Denver") << 1976 << "Denver";
        QTest::newRow("captains' picks 2018-19") << 2019 << "Team LeBron";
    }
    void allStarSelections() {
        QFETCH(int, endYear);
        QFETCH(QString, side);
        const Csv stars = readCsv("bball-reference-datasets/All-Star Selections.csv");
        const QStringList list = lines("allstar.awd");
        int count = 0;
        for (const auto& r : stars.rows) {
            if (stars.at(r, "season") != QString::number(endYear) || stars.at(r, "team") != side)
                continue;
            ++count;
            const QStringList found = matching(list, {seasonLabel(endYear), side, stars.at(r, "player")});
            QVERIFY2(found.size() == 1, qPrintable(stars.at(r, "player")));
            QCOMPARE(found.first().contains("REPLACED"), stars.at(r, "replaced") == "TRUE");
        }
        QVERIFY(count > 0);
        QCOMPARE(matching(list, {seasonLabel(endYear) + "  ", "  " + side + "  "}).size(), count);
    }

    // A division winner's line: its record from the season summaries, first in its division (Open Source
    // Sports rank), no games behind, the percentage worked out here.
    void divisionWinners_data() {
        QTest::addColumn<int>("endYear");
        QTest::addColumn<QString>("code");
        QTest::newRow("Detroit 1989-90") << 1990 << "DET";
        QTest::newRow("Chicago 1995-96") << 1996 << "CHI";
        QTest::newRow("Washington 1946-47, BAA") << 1947 << "WSC";
        QTest::newRow("Kentucky 1971-72, ABA") << 1972 << "KEN";
        QTest::newRow("Boston 2007-08") << 2008 << "BOS";
    }
    void divisionWinners() {
        QFETCH(int, endYear);
        QFETCH(QString, code);
        const Csv oss = readCsv("opensourcesports-basketball/basketball_teams.csv");
        QString rank;
        for (const auto& r : oss.rows) {
            if (oss.at(r, "year") == QString::number(endYear - 1) && oss.at(r, "tmID") == code)
                rank = oss.at(r, "rank");
        }
        QCOMPARE(rank, QString("1"));
        const QString name = teamName(endYear, code);
        int wins = -1, losses = -1;
        for (const auto& r : m_summaries.rows) {
            if (m_summaries.at(r, "season") == QString::number(endYear) &&
                m_summaries.at(r, "abbreviation") == code) {
                wins = m_summaries.at(r, "w").toInt();
                losses = m_summaries.at(r, "l").toInt();
            }
        }
        QVERIFY(wins > 0 && !name.isEmpty());

        const QStringList summary = lines(seasonCode(endYear) + ".SUM");
        const QStringList found = matching(summary, {"* " + name + " ", " " + code + " "});
        QCOMPARE(found.size(), 1);
        const QStringList cells = found.first().split(' ', Qt::SkipEmptyParts);
        QCOMPARE(cells.mid(cells.size() - 4),
                 (QStringList{QString::number(wins), QString::number(losses), pct(wins, losses), "-"}));
        // Fixed-width: every team line of the standings ends where its heading ends.
        const qsizetype at = summary.indexOf(found.first());
        qsizetype heading = at;
        while (heading > 0 && !summary[heading].endsWith(" GB"))
            --heading;
        QCOMPARE(found.first().size(), summary[heading].size());
    }

    void champions_data() {
        QTest::addColumn<int>("endYear");
        QTest::addColumn<QString>("league");
        QTest::newRow("NBA 1990-91") << 1991 << "NBA";
        QTest::newRow("BAA 1946-47") << 1947 << "BAA";
        QTest::newRow("ABA 1968-69") << 1969 << "ABA";
        QTest::newRow("ABA 1975-76") << 1976 << "ABA";
        QTest::newRow("NBA 1953-54, after a round robin") << 1954 << "NBA";
    }
    void champions() {
        QFETCH(int, endYear);
        QFETCH(QString, league);
        const Csv series = readCsv(kSeries);
        QString winner, loser, score;
        for (const auto& r : series.rows) {
            // The series file names BAA seasons NBA.
            const QString lg = series.at(r, "lgIDWinner") == "ABA" ? "ABA" : "NBA";
            if (series.at(r, "year") == QString::number(endYear - 1) && series.at(r, "round") == "F" &&
                lg == (league == "ABA" ? "ABA" : "NBA")) {
                winner = teamName(endYear, series.at(r, "tmIDWinner"));
                loser = teamName(endYear, series.at(r, "tmIDLoser"));
                score = series.at(r, "W") + "-" + series.at(r, "L");
            }
        }
        QVERIFY(!winner.isEmpty() && !loser.isEmpty());
        const QStringList summary = lines(seasonCode(endYear) + ".SUM");
        const QStringList champions = summary.filter(league + " CHAMPION: ");
        QCOMPARE(champions.size(), 1);
        QVERIFY2(champions.first().startsWith(league + " CHAMPION: " + winner + " ("),
                 qPrintable(champions.first()));
        const QString beat = summary.value(summary.indexOf(champions.first()) + 1);
        QVERIFY2(beat.contains(" " + loser + " ") && beat.contains(" " + score + " "), qPrintable(beat));
        const QStringList playoffs = lines(seasonCode(endYear) + league + ".PL1");
        const qsizetype finals = playoffs.indexOf("FINALS");
        QVERIFY(finals > 0);
        const QString line = playoffs.value(finals + 2);
        QVERIFY2(line.startsWith(winner + " ") && line.contains(" " + loser + " ") &&
                     line.endsWith(" " + score),
                 qPrintable(line));
        QCOMPARE(matching(playoffs, {"CHAMPION: " + winner + " ("}).size(), 1);
    }

    // Series after the series file ends: counted here from the team game logs, one line per team and game.
    void gameLogSeries_data() {
        QTest::addColumn<QString>("season");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("Finals 2015-16") << "2015-16"
                                        << "CLE"
                                        << "GSW";
        QTest::newRow("Finals 2023-24, no round names in the game list") << "2023-24"
                                                                         << "BOS"
                                                                         << "DAL";
        QTest::newRow("first round 2012-13") << "2012-13"
                                             << "MEM"
                                             << "LAC";
    }
    void gameLogSeries() {
        QFETCH(QString, season);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const Csv logs = readCsv("nocturnebear-nba-2010-2024/play_off_totals_2010_2024.csv");
        QSet<QString> seen;
        int firstWins = 0, secondWins = 0;
        QString firstName, secondName;
        for (const auto& r : logs.rows) {
            const QString team = logs.at(r, "TEAM_ABBREVIATION"), matchup = logs.at(r, "MATCHUP");
            if (logs.at(r, "SEASON_YEAR") != season || team != first || !matchup.endsWith(" " + second))
                continue;
            if (seen.contains(logs.at(r, "GAME_ID")))
                continue; // the source repeats some games
            seen.insert(logs.at(r, "GAME_ID"));
            (logs.at(r, "WL") == "W" ? firstWins : secondWins) += 1;
        }
        QVERIFY(firstWins + secondWins >= 4);
        const int endYear = season.left(4).toInt() + 1;
        const QString a = teamName(endYear, first), b = teamName(endYear, second);
        const bool firstWon = firstWins > secondWins;
        const QString score =
            QString("%1-%2").arg(std::max(firstWins, secondWins)).arg(std::min(firstWins, secondWins));
        const QStringList found = matching(lines(seasonCode(endYear) + "NBA.PL1"), {a, b});
        QCOMPARE(found.size(), 1);
        QVERIFY2(found.first().startsWith((firstWon ? a : b) + " ") && found.first().endsWith(" " + score),
                 qPrintable(found.first()));
    }

    // Points leaders looked up by hand in contract-prediction-2020/Player Totals.csv:
    // seas_id 2447 (Wilt Chamberlain 1961-62: 4029 points in 80 games) and seas_id 15633 (Michael Jordan
    // 1986-87: 3041 points in 82 games); both lead their season in every record book.
    void pointsLeaders_data() {
        QTest::addColumn<int>("endYear");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1961-62") << 1962 << "Wilt Chamberlain PHW 80 4029 50.4";
        QTest::newRow("1986-87") << 1987 << "Michael Jordan CHI 82 3041 37.1";
    }
    void pointsLeaders() {
        QFETCH(int, endYear);
        QFETCH(QString, expected);
        const QStringList summary = lines(seasonCode(endYear) + ".SUM");
        const qsizetype heading = summary.indexOf(QRegularExpression("POINTS PER GAME .*"));
        QVERIFY(heading > 0);
        QCOMPARE(summary.value(heading + 1).simplified(), "1 " + expected);
        QVERIFY(summary.indexOf(QRegularExpression("Qualifying: at least \\d+ games .*")) > 0);
    }

    void coachRecords_data() {
        QTest::addColumn<QString>("coach");
        QTest::addColumn<QString>("dumpFirst");
        QTest::addColumn<QString>("dumpLast");
        QTest::newRow("Phil Jackson, coach file only") << "Phil Jackson"
                                                       << ""
                                                       << "";
        QTest::newRow("Red Auerbach, BAA seasons from the old dump") << "Red Auerbach"
                                                                     << "Red"
                                                                     << "Auerbach";
        QTest::newRow("Eddie Gottlieb, named Edward in the coach file") << "Edward Gottlieb"
                                                                        << "Eddie"
                                                                        << "Gottlieb";
    }
    void coachRecords() {
        QFETCH(QString, coach);
        QFETCH(QString, dumpFirst);
        QFETCH(QString, dumpLast);
        int w = 0, l = 0, pw = 0, pl = 0;
        const Csv coaches = readCsv("caged-nba-coaches/coaches.csv");
        for (const auto& r : coaches.rows) {
            if (coaches.at(r, "name") == coach) {
                w += coaches.at(r, "wins").toInt();
                l += coaches.at(r, "losses").toInt();
                pw += coaches.at(r, "po_wins").toInt();
                pl += coaches.at(r, "po_losses").toInt();
            }
        }
        // The coach file starts with 1949-50; the BAA seasons before it come from the old dump.
        const Csv dump = readCsv("databasebasketball-1.1/coaches_season.txt");
        for (const auto& r : dump.rows) {
            if (dump.at(r, "firstname") == dumpFirst && dump.at(r, "lastname") == dumpLast &&
                dump.at(r, "year").toInt() < 1949) {
                w += dump.at(r, "season_win").toInt();
                l += dump.at(r, "season_loss").toInt();
                pw += dump.at(r, "playoff_win").toInt();
                pl += dump.at(r, "playoff_loss").toInt();
            }
        }
        QVERIFY(w > 0);
        const QStringList found = matching(lines("coachrc.awd"), {coach + " "});
        QCOMPARE(found.size(), 1);
        const QStringList cells = found.first().split(' ', Qt::SkipEmptyParts);
        QCOMPARE(cells.mid(cells.size() - 6),
                 (QStringList{QString::number(w), QString::number(l), pct(w, l), QString::number(pw),
                              QString::number(pl), pct(pw, pl)}));
    }

    void everyTeamCodeListed() {
        const QStringList list = lines("teams.awd");
        QMap<QPair<QString, QString>, QPair<int, int>> spans;
        for (const auto& r : m_summaries.rows) {
            const QString code = m_summaries.at(r, "abbreviation");
            if (code == "NA")
                continue;
            const int year = m_summaries.at(r, "season").toInt();
            auto& span = spans[{code, m_summaries.at(r, "team")}];
            span = {span.first ? std::min(span.first, year) : year, std::max(span.second, year)};
        }
        for (auto it = spans.cbegin(); it != spans.cend(); ++it) {
            const QStringList found = matching(list, {it.key().first + " ", " " + it.key().second + " "});
            QVERIFY2(!found.isEmpty() && found.first().startsWith(it.key().first + " "),
                     qPrintable(it.key().second));
            QVERIFY2(found.join(' ').contains(seasonLabel(it.value().first)) &&
                         found.join(' ').contains(seasonLabel(it.value().second)),
                     qPrintable(found.join('|')));
        }
        QCOMPARE(matching(list, {"CHI   Chicago Bulls "}).value(0).endsWith("1966-67 to 2025-26"), true);
    }

    // Every finished season of the season files has its summary; 2025-26 was in progress when they were
    // taken.
    void everySeasonHasItsSummary() {
        QSet<QString> expected;
        for (const auto& r : m_summaries.rows) {
            const int year = m_summaries.at(r, "season").toInt();
            if (year < 2026)
                expected.insert(seasonCode(year) + ".SUM");
        }
        const QStringList written = QDir(m_first.path()).entryList({"*.SUM"}, QDir::Files);
        QCOMPARE(QSet<QString>(written.begin(), written.end()), expected);
        QCOMPARE(expected.size(), 79);
    }

    // A playoff file for every league and season with playoff teams, up to 2023-24: no source has the
    // 2024-25 playoffs.
    void playoffFilesForEverySeasonWithPlayoffs() {
        QSet<QString> expected;
        for (const auto& r : m_summaries.rows) {
            const int year = m_summaries.at(r, "season").toInt();
            if (m_summaries.at(r, "playoffs") == "TRUE" && year <= 2024)
                expected.insert(seasonCode(year) + m_summaries.at(r, "lg") + ".PL1");
        }
        const QStringList written = QDir(m_first.path()).entryList({"*.PL1"}, QDir::Files);
        QCOMPARE(QSet<QString>(written.begin(), written.end()), expected);
        for (const auto& name : written) {
            const auto decoded = rawLines(name);
            QVERIFY2(decoded.size() > 4, qPrintable(name));
            QCOMPARE(QString::fromLatin1(decoded[0]),
                     "PLAYOFF RESULTS " + seasonLabel(endYearOfCode(name.left(4))) + " " + name.mid(4, 3));
            QVERIFY(decoded[1].isEmpty());
            for (const auto& line : decoded) {
                for (const char c : line)
                    QVERIFY2(c >= 0x20 && c <= 0x7E, qPrintable(name));
            }
            QVERIFY2(!matching(lines(name), {"CHAMPION: "}).isEmpty(), qPrintable(name));
        }
    }

    // The data holds no championship MVPs and no coach of the year, so their lists are not written.
    void listsTheDataCannotMakeAreAbsent() {
        const Csv shares = readCsv(kAwardShares);
        for (const auto& r : shares.rows) {
            const QString award = shares.at(r, "award");
            QVERIFY2(!award.contains("coach") && !award.contains("final") && !award.contains("coy"),
                     qPrintable(award));
        }
        QVERIFY(!QFile::exists(m_first.filePath("mvpch.awd")));
        QVERIFY(!QFile::exists(m_first.filePath("coachyr.awd")));
    }

    void instructionsNameTheRealCommands_data() {
        QTest::addColumn<QString>("command");
        for (const char* command :
             {"\"Basketball Statistics\"", "\"Players - Regular Season\"", "\"Teams - Playoffs\"",
              "\"Select\" > \"Player\"", "\"Sort\"", "\"Limit\"", "\"Reset\"",
              "\"Options\" > \"Color options\"", "\"Options\" > \"Unhide Columns\"",
              "\"Options\" > \"Print\"", "\"Print Preview\"", "Double-click a column"})
            QTest::newRow(command) << QString(command);
    }
    void instructionsNameTheRealCommands() {
        QFETCH(QString, command);
        QVERIFY(lines("INSTRUCT.TXT").join('\n').contains(command));
    }

    // Every file: Windows-1252 text with CR LF line ends, a title line, then a blank line.
    void everyFileIsTitledCrLfText() {
        const QDir out(m_first.path());
        const QStringList named = {"allpro.awd",  "alldef.awd",  "allrooky.awd", "mvp.awd",
                                   "rkofyr.awd",  "defplyr.awd", "sixth.awd",    "allstar.awd",
                                   "coachrc.awd", "teams.awd",   "INSTRUCT.TXT", "ORDERFRM.DOC"};
        for (const auto& name : named)
            QVERIFY2(out.exists(name), qPrintable(name));
        const QStringList files = out.entryList(QDir::Files);
        QCOMPARE(files.size(), named.size() + out.entryList({"*.SUM", "*.PL1"}, QDir::Files).size());
        for (const auto& name : files) {
            const QByteArray data = bytes(name);
            QVERIFY2(data.endsWith("\r\n"), qPrintable(name));
            QCOMPARE(data.count("\r\n"), data.count('\n'));
            QCOMPARE(data.count("\r\n"), data.count('\r'));
            const auto text = rawLines(name);
            QVERIFY2(!text[0].isEmpty() && text[1].isEmpty(), qPrintable(name));
            for (const auto& line : text) {
                for (const char c : line) {
                    const auto byte = static_cast<unsigned char>(c);
                    // No control bytes, none of the five the code page leaves undefined.
                    QVERIFY2(byte >= 0x20 && byte != 0x7F && byte != 0x81 && byte != 0x8D && byte != 0x8F &&
                                 byte != 0x90 && byte != 0x9D,
                             qPrintable(name));
                }
            }
        }
    }

    void twoRunsGiveTheSameBytes() {
        QCOMPARE(runTool(m_second.path()), 0);
        const QStringList first = QDir(m_first.path()).entryList(QDir::Files, QDir::Name);
        QCOMPARE(QDir(m_second.path()).entryList(QDir::Files, QDir::Name), first);
        for (const auto& name : first) {
            QFile again(m_second.filePath(name));
            QVERIFY(again.open(QIODevice::ReadOnly));
            QVERIFY2(again.readAll() == bytes(name), qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestDocuments)
#include "tst_documents.moc"
