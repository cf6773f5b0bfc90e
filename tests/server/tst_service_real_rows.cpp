// Known seasons fetched over HTTP from the service on the built database, every field of the reply row
// against the counts of the raw CSV written out below; derived values are computed here from those counts
// by the statistics definitions, never by the project's code.
#include "RawExchange.h"
#include "ServiceProcess.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <optional>

namespace {

using Count = std::optional<long long>;
constexpr std::nullopt_t none = std::nullopt;

// Players: contract-prediction-2020/Player Totals.csv (regular season), databasebasketball-1.1/
// player_playoffs.txt (playoffs); heights from Player Career Info.csv (inches), team names from Team
// Abbrev.csv.
struct PlayerSeason {
    QByteArray name, league, code, team, year, height;
    Count g, min, fgm, fga, tpm, tpa, ftm, fta, oreb, dreb, treb, ast, pf, stl, tov, blk, pts;
};

// One side of a team season: own ("off") or opponents' ("def") totals.
struct Side {
    Count fgm, fga, tpm, tpa, ftm, fta, oreb, dreb, treb, ast, pf, stl, tov, blk, pts;
};

struct TeamSeason {
    QByteArray code, name, league, division, year;
    Count g, w, l, homeW, homeL, awayW, awayL, neutralW, neutralL, min;
    Side off, def;
};

// What one reply line must say: exact text, or a number that may differ from ours in the last bits.
struct Expected {
    QByteArray text;
    std::optional<double> value;
};

std::optional<double> operator+(std::optional<double> a, std::optional<double> b) {
    return a && b ? std::optional<double>(*a + *b) : std::nullopt;
}
std::optional<double> operator-(std::optional<double> a, std::optional<double> b) {
    return a && b ? std::optional<double>(*a - *b) : std::nullopt;
}
std::optional<double> real(Count c) {
    return c ? std::optional<double>(double(*c)) : std::nullopt;
}
std::optional<double> quotient(std::optional<double> a, std::optional<double> b, double scale = 1) {
    return a && b && *b != 0 ? std::optional<double>(*a / *b * scale) : std::nullopt;
}

// Two-point field goals made plus one and a half for each three-pointer made.
std::optional<double> effectiveMade(std::optional<double> fgm, std::optional<double> tpm) {
    return fgm && tpm ? std::optional<double>((*fgm - *tpm) + 1.5 * *tpm) : std::nullopt;
}

class RowExpectation {
  public:
    explicit RowExpectation(QByteArray missing) : m_missing(std::move(missing)) {}
    void text(const QByteArray& t) { m_fields.append({t, {}}); }
    void count(Count c) { m_fields.append({c ? QByteArray::number(*c) : m_missing, {}}); }
    void value(std::optional<double> v) {
        if (v)
            m_fields.append({{}, v});
        else
            m_fields.append({m_missing, {}});
    }
    void missing() { m_fields.append({m_missing, {}}); }
    const QList<Expected>& fields() const { return m_fields; }

  private:
    QByteArray m_missing;
    QList<Expected> m_fields;
};

// The 76 player fields in reply order.
QList<Expected> playerFields(const PlayerSeason& s) {
    RowExpectation e("-999");
    for (const QByteArray& t : {s.name, s.league, s.code, s.team, s.year, s.height})
        e.text(t);
    const auto g = real(s.g), min = real(s.min), fgm = real(s.fgm), fga = real(s.fga);
    const auto tpm = real(s.tpm), tpa = real(s.tpa), ftm = real(s.ftm), fta = real(s.fta);
    for (Count c : {s.g, s.min, s.fgm, s.fga})
        e.count(c);
    e.value(quotient(fgm, fga, 100));
    e.value(quotient(effectiveMade(fgm, tpm), fga, 100));
    e.value(quotient(fgm - tpm, fga - tpa, 100));
    e.count(s.tpm);
    e.count(s.tpa);
    e.value(quotient(tpm, tpa, 100));
    e.count(s.ftm);
    e.count(s.fta);
    e.value(quotient(ftm, fta, 100));
    for (Count c : {s.oreb, s.dreb, s.treb, s.ast, s.pf})
        e.count(c);
    e.missing(); // disqualifications: in no source
    for (Count c : {s.stl, s.tov, s.blk})
        e.count(c);
    e.value(quotient(real(s.pts), g));
    const auto old = real(s.pts) + real(s.treb) + real(s.ast) - (fga - fgm) - (fta - ftm) - real(s.pf);
    const auto performance = old + real(s.stl) + real(s.blk) - real(s.tov);
    e.value(quotient(performance, g));
    e.value(quotient(performance, min));
    e.value(quotient(old, g));
    e.value(quotient(old, min));
    for (int i = 0; i < 6; ++i)
        e.missing(); // possession factor, % shot, % 3PT shot, % fouled, % turnover, % pass
    e.value(quotient(real(s.oreb), min, 48.0 * 3));
    e.value(quotient(real(s.dreb), min, 48.0 * 2));
    e.value(quotient(real(s.treb), min, 48.0));
    e.value(quotient(real(s.pf), min, 100));
    e.value(quotient(real(s.stl), min, 100));
    e.missing(); // % blocked shot
    e.count(s.pts);
    for (Count c : {s.min, s.fgm, s.fga, s.tpm, s.tpa, s.ftm, s.fta, s.oreb, s.dreb, s.treb, s.ast, s.pf,
                    s.stl, s.tov, s.blk})
        e.value(quotient(real(c), g));
    for (Count c : {s.fgm, s.fga, s.tpm, s.tpa, s.ftm, s.fta, s.oreb, s.dreb, s.treb, s.ast, s.pf, s.stl,
                    s.tov, s.blk, s.pts})
        e.value(quotient(real(c), min));
    return e.fields();
}

void sideFields(RowExpectation& e, const Side& s) {
    const auto fgm = real(s.fgm), fga = real(s.fga), tpm = real(s.tpm), tpa = real(s.tpa);
    e.count(s.fgm);
    e.count(s.fga);
    e.value(quotient(fgm, fga, 100));
    e.value(quotient(effectiveMade(fgm, tpm), fga, 100));
    e.value(quotient(fgm - tpm, fga - tpa, 100));
    e.count(s.tpm);
    e.count(s.tpa);
    e.value(quotient(tpm, tpa, 100));
    e.count(s.ftm);
    e.count(s.fta);
    e.value(quotient(real(s.ftm), real(s.fta), 100));
    for (Count c : {s.oreb, s.dreb, s.treb, s.ast, s.pf, s.stl, s.tov, s.blk})
        e.count(c);
}

// The 89 team fields in reply order.
QList<Expected> teamFields(const TeamSeason& t) {
    RowExpectation e("-1");
    for (const QByteArray& text : {t.code, t.name, t.league, t.division, t.year})
        e.text(text);
    for (Count c : {t.g, t.w, t.l})
        e.count(c);
    e.value(quotient(real(t.w), real(t.w) + real(t.l)));
    for (Count c : {t.homeW, t.homeL, t.awayW, t.awayL, t.neutralW, t.neutralL, t.min})
        e.count(c);
    sideFields(e, t.off);
    sideFields(e, t.def);
    const auto g = real(t.g);
    const auto offPerGame = quotient(real(t.off.pts), g), defPerGame = quotient(real(t.def.pts), g);
    e.value(offPerGame);
    e.value(defPerGame);
    e.value((offPerGame - defPerGame).value_or(0.0)); // never missing
    e.count(t.off.pts);
    e.count(t.def.pts);
    e.missing(); // disqualifications, both sides
    e.missing();
    for (auto member :
         {&Side::fgm, &Side::fga, &Side::tpm, &Side::tpa, &Side::ftm, &Side::fta, &Side::oreb, &Side::dreb,
          &Side::treb, &Side::ast, &Side::pf, &Side::stl, &Side::tov, &Side::blk}) {
        e.value(quotient(real(t.off.*member), g));
        e.value(quotient(real(t.def.*member), g));
    }
    return e.fields();
}

// The totals block of a one-row result: the name field says so, the other texts are empty, the numbers
// are the row's.
QList<Expected> totalsOfOne(QList<Expected> fields, int nameField, int textFields) {
    for (int f = 0; f < textFields; ++f)
        fields[f] = {f == nameField ? QByteArray("TOTALS") : QByteArray(), {}};
    return fields;
}

struct Reply {
    int status = 0;
    QList<QByteArray> lines;
};

Reply postQuery(quint16 port, const QByteArray& path, const QByteArray& body) {
    const QByteArray received =
        statdesk::test::exchangeRaw(QStringLiteral("127.0.0.1"), port,
                                    "POST " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\nContent-Length: " +
                                        QByteArray::number(body.size()) + "\r\n\r\n" + body);
    Reply reply;
    reply.status = received.mid(9, 3).toInt();
    const qsizetype headEnd = received.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return reply;
    const QByteArray text = received.mid(headEnd + 4);
    if (!text.endsWith("\r\n"))
        return reply;
    reply.lines = text.chopped(2).split('\n');
    for (QByteArray& line : reply.lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return reply;
}

// Compares one block of reply lines with what it must say; names the field that differs.
void compareBlock(const QList<QByteArray>& lines, qsizetype first, const QList<Expected>& expected) {
    static const QRegularExpression decimal(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    for (qsizetype f = 0; f < expected.size(); ++f) {
        const QByteArray got = lines.value(first + f);
        const Expected& want = expected[f];
        const QByteArray where = "field " + QByteArray::number(f) + ": got \"" + got + "\", want ";
        if (!want.value) {
            QVERIFY2(got == want.text, QByteArray(where + "\"" + want.text + "\"").constData());
            continue;
        }
        QVERIFY2(decimal.match(QString::fromLatin1(got)).hasMatch(),
                 QByteArray(where + "a plain decimal").constData());
        const double number = got.toDouble();
        QVERIFY2(std::abs(number - *want.value) <= 1e-9 * std::max(1.0, std::abs(*want.value)),
                 QByteArray(where + QByteArray::number(*want.value, 'g', 17)).constData());
    }
}

} // namespace

Q_DECLARE_METATYPE(Expected)

class ServiceRealRowsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void datasetsHoldTheirDocumentedRowCounts_data();
    void datasetsHoldTheirDocumentedRowCounts();
    void knownSeasonsArriveWhole_data();
    void knownSeasonsArriveWhole();

  private:
    std::unique_ptr<statdesk::test::ServiceProcess> m_service;
};

void ServiceRealRowsTest::initTestCase() {
    const QString database = statdesk::test::ServiceProcess::builtDatabase();
    if (!QFile::exists(database))
        QSKIP("no statistics database in this build");
    m_service = std::make_unique<statdesk::test::ServiceProcess>(database);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

// The counts DATA.md gives for each dataset; a full page of 20 rows and the totals block follow.
void ServiceRealRowsTest::datasetsHoldTheirDocumentedRowCounts_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<int>("fields");
    QTest::newRow("players regular") << QByteArray("/cgi-bin/getbplayer-1.exe") << QByteArray("26345") << 76;
    QTest::newRow("players playoffs") << QByteArray("/cgi-bin/getbplayer2-1.exe") << QByteArray("7749") << 76;
    QTest::newRow("teams regular") << QByteArray("/cgi-bin/getbteam-1.exe") << QByteArray("1788") << 89;
    QTest::newRow("teams playoffs") << QByteArray("/cgi-bin/getbteam2-1.exe") << QByteArray("1025") << 89;
}

void ServiceRealRowsTest::datasetsHoldTheirDocumentedRowCounts() {
    QFETCH(QByteArray, path);
    QFETCH(int, fields);
    const Reply reply = postQuery(m_service->port(), path, "0!20!B!1!30!\r\n*\r\n\x1a");
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.lines.size(), 1 + 21 * fields);
    QTEST(reply.lines[0], "rows");
}

void ServiceRealRowsTest::knownSeasonsArriveWhole_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("criteria");
    QTest::addColumn<QList<Expected>>("row");
    QTest::addColumn<int>("nameField");
    QTest::addColumn<int>("textFields");

    const QByteArray regular = "/cgi-bin/getbplayer-1.exe", playoffs = "/cgi-bin/getbplayer2-1.exe";
    const QByteArray teams = "/cgi-bin/getbteam-1.exe", teamPlayoffs = "/cgi-bin/getbteam2-1.exe";
    // clang-format off
    // Counts: games, minutes, FGM, FGA, 3PM, 3PA, FTM, FTA, OREB, DREB, TREB, AST, PF, STL, TOV, BLK, PTS.
    // Player Totals.csv, season 1988; height 78 inches.
    const PlayerSeason jordan{"Michael Jordan", "NBA", "CHI", "Chicago Bulls", "8788", "6-6",
        82, 3311, 1069, 1998, 7, 53, 723, 860, 139, 310, 449, 485, 270, 259, 252, 131, 2868};
    // Player Totals.csv, season 1962, which writes 0 for what the league did not record yet: three-pointers,
    // split rebounds, steals, blocks, turnovers; height 85 inches.
    const PlayerSeason wilt{"Wilt Chamberlain", "NBA", "PHW", "Philadelphia Warriors", "6162", "7-1",
        80, 3882, 1597, 3159, none, none, 835, 1363, none, none, 2052, 192, 123, none, none, none, 4029};
    // player_playoffs.txt: JORDAMI01, year 1990, CHI, N.
    const PlayerSeason jordanPlayoffs{"Michael Jordan", "NBA", "CHI", "Chicago Bulls", "9091", "6-6",
        17, 689, 197, 376, 10, 26, 125, 148, 18, 90, 108, 142, 53, 40, 43, 23, 529};

    // Games, wins, losses, home, away and neutral wins and losses, minutes; then each side's
    // FGM, FGA, 3PM, 3PA, FTM, FTA, OREB, DREB, TREB, AST, PF, STL, TOV, BLK, PTS.
    // Team Totals.csv and Opponent Totals.csv, season 1996; won-lost from Team Summaries.csv; division and
    // home/away/neutral from basketball_teams.csv (year 1995).
    const TeamSeason chicago{"CHI", "Chicago Bulls", "NBA", "CD", "9596",
        82, 72, 10, 39, 2, 33, 8, 0, 0, 19730,
        {3293, 6892, 544, 1349, 1495, 2004, 1247, 2411, 3658, 2033, 1807, 745, 1175, 345, 8625},
        {2880, 6428, 437, 1249, 1424, 1985, 981, 2136, 3117, 1592, 1856, 595, 1405, 312, 7621}};
    // The same files, season 1971 (year 1970): no three-pointers, split rebounds, steals or blocks ("NA"),
    // and turnovers (1686 and 1569 in the file) from before the league recorded them.
    const TeamSeason milwaukee{"MIL", "Milwaukee Bucks", "NBA", "MW", "7071",
        82, 66, 16, 34, 2, 28, 13, 4, 1, 19780,
        {3972, 7803, none, none, 1766, 2379, none, none, 4344, 2249, 1847, none, none, none, 9710},
        {3489, 8224, none, none, 1727, 2322, none, none, 4004, 1923, 1770, none, none, none, 8705}};
    // play_off_totals_2010_2024.csv, 2016-17: the 17 GSW lines summed, and their opponents' lines; 48 game
    // minutes each, five player-minutes per game minute; home "vs.", away "@"; no neutral courts known.
    // Division: PC in the last season that names one (2011), carried forward.
    const TeamSeason warriors{"GSW", "Golden State Warriors", "NBA", "PC", "1617",
        17, 16, 1, 9, 0, 7, 1, none, none, 17 * 48 * 5,
        {730, 1479, 216, 559, 352, 432, 158, 620, 778, 480, 370, 148, 232, 104, 2028},
        {651, 1516, 174, 510, 322, 420, 189, 546, 735, 342, 367, 142, 238, 65, 1798}};
    // clang-format on

    QTest::newRow("Michael Jordan 1987-88, every statistic recorded")
        << regular << QByteArray("AMichael Jordan\r\nC8788\r\n*\r\n") << playerFields(jordan) << 0 << 6;
    QTest::newRow("Wilt Chamberlain 1961-62, before three-pointers, steals and turnovers")
        << regular << QByteArray("AWilt Chamberlain\r\nC6162\r\n*\r\n") << playerFields(wilt) << 0 << 6;
    QTest::newRow("Michael Jordan, 1990-91 playoffs")
        << playoffs << QByteArray("AMichael Jordan\r\nC9091\r\n*\r\n") << playerFields(jordanPlayoffs) << 0
        << 6;
    QTest::newRow("Chicago 1995-96") << teams << QByteArray("BChicago Bulls\r\nC9596\r\n*\r\n")
                                     << teamFields(chicago) << 1 << 5;
    QTest::newRow("Milwaukee 1970-71")
        << teams << QByteArray("BMilwaukee Bucks\r\nC7071\r\n*\r\n") << teamFields(milwaukee) << 1 << 5;
    QTest::newRow("Golden State, 2016-17 playoffs")
        << teamPlayoffs << QByteArray("BGolden State Warriors\r\nC1617\r\n*\r\n") << teamFields(warriors) << 1
        << 5;
}

void ServiceRealRowsTest::knownSeasonsArriveWhole() {
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, criteria);
    QFETCH(QList<Expected>, row);
    QFETCH(int, nameField);
    QFETCH(int, textFields);
    QVERIFY(row.size() == 76 || row.size() == 89);
    const Reply reply = postQuery(m_service->port(), path, "0!1!300!\r\n" + criteria + "\x1a");
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.lines.size(), 1 + 2 * row.size());
    QCOMPARE(reply.lines[0], QByteArray("1"));
    compareBlock(reply.lines, 1, row);
    if (QTest::currentTestFailed())
        return;
    compareBlock(reply.lines, 1 + row.size(), totalsOfOne(row, nameField, textFields));
}

QTEST_GUILESS_MAIN(ServiceRealRowsTest)
#include "tst_service_real_rows.moc"
