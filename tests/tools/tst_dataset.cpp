// The tricky pieces of the dataset builder, each against a table of cases.
#include "Builders.h"
#include "CsvTable.h"
#include "DatasetRows.h"
#include "DerivedValues.h"
#include "Seasons.h"
#include "TextFit.h"

#include <QTest>

using namespace statdesk;
using namespace statdesk::dataset;

namespace {

stats::StatRow playerRow(const std::vector<std::pair<int, double>>& values) {
    auto row = stats::makeEmptyRow(Family::Players);
    row.text[1] = "NBA";
    for (const auto& [field, value] : values)
        row.value[static_cast<size_t>(field)] = value;
    return row;
}

double at(const stats::StatRow& row, int field) {
    return row.value[static_cast<size_t>(field)];
}

} // namespace

class TestDataset : public QObject {
    Q_OBJECT

  private slots:
    void fitsNamesBeforeCutting_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("fitted");
        QTest::newRow("fits") << "Michael Jordan" << 20 << "Michael Jordan";
        QTest::newRow("exactly fits") << "Kareem Abdul-Jabbar" << 19 << "Kareem Abdul-Jabbar";
        QTest::newRow("first name to initial") << "Giannis Antetokounmpo" << 20 << "G. Antetokounmpo";
        QTest::newRow("only as many initials as needed") << "Jose Juan Barea" << 13 << "J. Juan Barea";
        QTest::newRow("every first name, left to right") << "Jose Juan Barea" << 12 << "J. J. Barea";
        QTest::newRow("suffix stays with the surname") << "Wendell Carter Jr." << 16 << "W. Carter Jr.";
        QTest::newRow("cut only after initials")
            << "Abcdefghij Klmnopqrstuvwxyzab" << 20 << "A. Klmnopqrstuvwxyza";
        QTest::newRow("single word is cut") << "Abcdefghijklmnopqrstuvwxyz" << 20 << "Abcdefghijklmnopqrst";
    }
    void fitsNamesBeforeCutting() {
        QFETCH(QString, name);
        QFETCH(int, capacity);
        QFETCH(QString, fitted);
        QCOMPARE(QString::fromStdString(fitName(name.toStdString(), static_cast<size_t>(capacity))), fitted);
    }

    void transliteratesToWindows1252_data() {
        QTest::addColumn<QString>("utf8");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << "Marcin Gortat" << QByteArray("Marcin Gortat");
        QTest::newRow("accent outside the code page") << "Nikola Jokić" << QByteArray("Nikola Jokic");
        QTest::newRow("macrons") << "Dāvis Bertāns" << QByteArray("Davis Bertans");
        QTest::newRow("latin-1 letter kept") << "Jan Veselý" << QByteArray("Jan Vesel\xFD");
        QTest::newRow("code page letter above 0x80 kept") << "Šarūnas"
                                                          << QByteArray("\x8A"
                                                                        "arunas");
        QTest::newRow("letters without decomposition") << "Đorđe Łukasz" << QByteArray("Dorde Lukasz");
    }
    void transliteratesToWindows1252() {
        QFETCH(QString, utf8);
        QFETCH(QByteArray, bytes);
        QCOMPARE(QByteArray::fromStdString(toWindows1252(utf8.toStdString())), bytes);
    }

    void namesSeasonsAndHeights_data() {
        QTest::addColumn<int>("seasonStart");
        QTest::addColumn<QString>("text");
        QTest::newRow("first season") << 1946 << "4647";
        QTest::newRow("seventies") << 1974 << "7475";
        QTest::newRow("turn of the century") << 1999 << "9900";
        QTest::newRow("two thousands") << 2000 << "0001";
    }
    void namesSeasonsAndHeights() {
        QFETCH(int, seasonStart);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(seasonText(seasonStart)), text);
        QCOMPARE(startFromEndYear(seasonStart + 1), seasonStart);
        QCOMPARE(heightText(81), std::string("6-9"));
        QCOMPARE(heightText(84), std::string("7-0"));
    }

    void knowsWhatEachEraRecorded_data() {
        QTest::addColumn<QString>("league");
        QTest::addColumn<int>("seasonStart");
        QTest::addColumn<int>("stat");
        QTest::addColumn<bool>("recorded");
        QTest::newRow("minutes 1950-51") << "NBA" << 1950 << int(Stat::Minutes) << false;
        QTest::newRow("minutes 1951-52") << "NBA" << 1951 << int(Stat::Minutes) << true;
        QTest::newRow("BAA rebounds") << "BAA" << 1948 << int(Stat::Rebounds) << false;
        QTest::newRow("rebounds 1950-51") << "NBA" << 1950 << int(Stat::Rebounds) << true;
        QTest::newRow("steals 1972-73") << "NBA" << 1972 << int(Stat::Steals) << false;
        QTest::newRow("blocks 1973-74") << "NBA" << 1973 << int(Stat::Blocks) << true;
        QTest::newRow("turnovers 1976-77") << "NBA" << 1976 << int(Stat::Turnovers) << false;
        QTest::newRow("turnovers 1977-78") << "NBA" << 1977 << int(Stat::Turnovers) << true;
        QTest::newRow("NBA threes 1978-79") << "NBA" << 1978 << int(Stat::ThreePointers) << false;
        QTest::newRow("NBA threes 1979-80") << "NBA" << 1979 << int(Stat::ThreePointers) << true;
        QTest::newRow("ABA threes 1967-68") << "ABA" << 1967 << int(Stat::ThreePointers) << true;
    }
    void knowsWhatEachEraRecorded() {
        QFETCH(QString, league);
        QFETCH(int, seasonStart);
        QFETCH(int, stat);
        QFETCH(bool, recorded);
        QCOMPARE(isRecorded(league.toStdString(), seasonStart, static_cast<Stat>(stat)), recorded);
    }

    // Zeros of an era that did not record a statistic, and of a league-season whose source left it at zero,
    // become missing, and so does everything derived from them.
    void blanksUnrecordedStatistics() {
        Dataset nba{"t", Family::Players, {}};
        // 1972-73: steals unrecorded by rule; zero three-pointers as the source writes them.
        nba.rows.push_back({1972, playerRow({{6, 82},
                                             {7, 3000},
                                             {8, 500},
                                             {9, 1000},
                                             {13, 0},
                                             {14, 0},
                                             {16, 200},
                                             {17, 250},
                                             {21, 800},
                                             {22, 300},
                                             {23, 200},
                                             {25, 0},
                                             {45, 1200}})});
        finishDataset(nba);
        const auto& r = nba.rows.front().row;
        QCOMPARE(at(r, 25), double(kPlayerMissing)); // steals
        QCOMPARE(at(r, 13), double(kPlayerMissing)); // three-pointers
        QCOMPARE(at(r, 29), double(kPlayerMissing)); // performance rating needs steals
        QCOMPARE(at(r, 11), double(kPlayerMissing)); // effective FG% needs three-pointers
        QVERIFY(at(r, 31) != kPlayerMissing);        // the old rating does not
        QCOMPARE(at(r, 8), 500.0);

        // ABA turnovers: kept where any row of the league-season has some, blanked where none has.
        Dataset aba{"t", Family::Players, {}};
        for (int season : {1967, 1968}) {
            for (double turnovers : {0.0, season == 1968 ? 40.0 : 0.0}) {
                auto row = playerRow({{6, 10}, {26, turnovers}});
                row.text[1] = "ABA";
                aba.rows.push_back({season, row});
            }
        }
        finishDataset(aba);
        QCOMPARE(at(aba.rows[0].row, 26), double(kPlayerMissing));
        QCOMPARE(at(aba.rows[1].row, 26), double(kPlayerMissing));
        QCOMPARE(at(aba.rows[2].row, 26), 0.0);
        QCOMPARE(at(aba.rows[3].row, 26), 40.0);
    }

    void computesPlayerValues_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<double>("expected");
        // games 10, minutes 400, FG 50/100, 3P 10/20, FT 30/40, OREB 20, DREB 60, AST 40, PF 20, ST 10, TO
        // 25, BS 5, points 140
        QTest::newRow("FG%") << 10 << 50.0;
        QTest::newRow("effective FG%") << 11 << 55.0;
        QTest::newRow("2PT FG%") << 12 << 50.0;
        QTest::newRow("3PT FG%") << 15 << 50.0;
        QTest::newRow("FT%") << 18 << 75.0;
        QTest::newRow("total rebounds from the split") << 21 << 80.0;
        QTest::newRow("points per game") << 28 << 14.0;
        QTest::newRow("performance per game") << 29 << 17.0;
        QTest::newRow("performance per minute") << 30 << 0.425;
        QTest::newRow("old performance per game") << 31 << 18.0;
        QTest::newRow("old performance per minute") << 32 << 0.45;
        QTest::newRow("passes are in no source") << 33 << double(kPlayerMissing);
        QTest::newRow("% pass") << 38 << double(kPlayerMissing);
        QTest::newRow("offensive rebound rating") << 39 << 7.2;
        QTest::newRow("defensive rebound rating") << 40 << 14.4;
        QTest::newRow("total rebound rating") << 41 << 9.6;
        QTest::newRow("% foul") << 42 << 5.0;
        QTest::newRow("% steal") << 43 << 2.5;
        QTest::newRow("% blocked shot") << 44 << double(kPlayerMissing);
        QTest::newRow("minutes per game") << 46 << 40.0;
        QTest::newRow("blocked shots per game") << 60 << 0.5;
        QTest::newRow("field goals per minute") << 61 << 0.125;
        QTest::newRow("points per minute") << 75 << 0.35;
    }
    void computesPlayerValues() {
        QFETCH(int, field);
        QFETCH(double, expected);
        auto row = playerRow({{6, 10},
                              {7, 400},
                              {8, 50},
                              {9, 100},
                              {13, 10},
                              {14, 20},
                              {16, 30},
                              {17, 40},
                              {19, 20},
                              {20, 60},
                              {22, 40},
                              {23, 20},
                              {25, 10},
                              {26, 25},
                              {27, 5},
                              {45, 140}});
        stats::computeDerived(row);
        QVERIFY2(qFuzzyCompare(at(row, field), expected), qPrintable(QString::number(at(row, field))));
    }

    void missingInputsAndZeroDivisorsGiveSentinels() {
        // No games, no field goal or three-point attempts, no steals.
        auto row =
            playerRow({{6, 0}, {7, 100}, {8, 0}, {9, 0}, {13, 0}, {14, 0}, {16, 5}, {17, 10}, {45, 5}});
        stats::computeDerived(row);
        for (int field : {10, 11, 12, 15, 28, 29, 30, 31, 46, 60})
            QCOMPARE(at(row, field), double(kPlayerMissing));
        QCOMPARE(at(row, 18), 50.0);
        QCOMPARE(at(row, 75), 0.05);

        auto team = stats::makeEmptyRow(Family::Teams);
        team.value[6] = 50;
        team.value[7] = 32;
        team.value[5] = 0;
        team.value[57] = 8200;
        team.value[27] = 900;
        team.value[28] = 2600;
        stats::computeDerived(team);
        QVERIFY(qFuzzyCompare(team.value[8], 50.0 / 82));
        QCOMPARE(team.value[29], 3500.0);           // total rebounds from the split
        QCOMPARE(team.value[54], kTeamMissingReal); // points per game without games
        QCOMPARE(team.value[56], 0.0);              // the difference has no missing marker
        QCOMPARE(team.value[61], kTeamMissingReal); // per-game without games
        QCOMPARE(team.value[18], kTeamMissingReal); // FG% without attempts
    }

    void teamPointDifferenceMayBeMinusOne() {
        auto team = stats::makeEmptyRow(Family::Teams);
        team.value[5] = 82;
        team.value[57] = 8118;
        team.value[58] = 8200;
        team.value[16] = 3280;
        team.value[35] = 3362;
        stats::computeDerived(team);
        QCOMPARE(team.value[56], -1.0);
        QCOMPARE(team.value[61], 40.0); // off field goals per game
        QCOMPARE(team.value[62], 41.0); // def field goals per game
        QCOMPARE(team.value[55], 100.0);
    }

    void countingFields_data() {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("counting");
        QTest::newRow("player games") << int(Family::Players) << 6 << true;
        QTest::newRow("player points") << int(Family::Players) << 45 << true;
        QTest::newRow("player total rebounds") << int(Family::Players) << 21 << true;
        QTest::newRow("player average") << int(Family::Players) << 28 << false;
        QTest::newRow("player name") << int(Family::Players) << 0 << false;
        QTest::newRow("team wins") << int(Family::Teams) << 6 << true;
        QTest::newRow("team neutral losses") << int(Family::Teams) << 14 << true;
        QTest::newRow("team W-L%") << int(Family::Teams) << 8 << false;
        QTest::newRow("team def blocks") << int(Family::Teams) << 53 << true;
        QTest::newRow("team def points") << int(Family::Teams) << 58 << true;
        QTest::newRow("team point difference") << int(Family::Teams) << 56 << false;
        QTest::newRow("team def FG%") << int(Family::Teams) << 37 << false;
    }
    void countingFields() {
        QFETCH(int, family);
        QFETCH(int, field);
        QFETCH(bool, counting);
        QCOMPARE(stats::isCountingField(static_cast<Family>(family), field), counting);
    }

    // A traded player's season sum must not sit beside his rows per team.
    void dropsTradedPlayersSeasonSums() {
        const std::string csv =
            "\xEF\xBB\xBF"
            "seas_id,season,player_id,player,lg,tm,g,mp,fg,fga,x3p,x3pa,ft,fta,orb,drb,trb,"
            "ast,stl,blk,tov,pf,pts\n"
            "1,1997,7,Traded Man,NBA,TOT,60,1800,300,600,NA,NA,100,120,50,150,200,90,40,10,70,"
            "120,700\n"
            "2,1997,7,Traded Man,NBA,BOS,20,600,100,200,NA,NA,30,40,15,50,65,30,15,3,20,40,230\n"
            "3,1997,7,Traded Man,NBA,CHI,40,1200,200,400,NA,NA,70,80,35,100,135,60,25,7,50,80,"
            "470\n";
        const auto rows = playerTotalsRows(CsvTable::parse(csv), Directory());
        QCOMPARE(rows.size(), size_t(2));
        QCOMPARE(rows[0].row.text[2], std::string("BOS"));
        QCOMPARE(rows[1].row.text[2], std::string("CHI"));
        QCOMPARE(rows[0].seasonStart, 1996);
        QCOMPARE(rows[0].row.text[4], std::string("9697"));
        QCOMPARE(rows[0].row.text[5], std::string("-999"));    // height unknown
        QCOMPARE(at(rows[0].row, 13), double(kPlayerMissing)); // "NA"
        QCOMPARE(at(rows[0].row, 6) + at(rows[1].row, 6), 60.0);
        QCOMPARE(at(rows[0].row, 45) + at(rows[1].row, 45), 700.0);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
