#include "HelpTexts.h"
#include "TutorialText.h"

#include <algorithm>

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace statdesk;

Q_DECLARE_METATYPE(statdesk::HelpText)

namespace {

// Player columns 0 to 75 as the catalogue's two header lines name them, read together; the
// four rating columns carry the name "PRFM RAT" that the catalogue spreads over each pair.
const char* const kPlayerColumns[] = {"PLAYER NAME",
                                      "YEAR",
                                      "TEAM CODE",
                                      "TEAM NAME",
                                      "LGE",
                                      "HT",
                                      "G",
                                      "MIN",
                                      "FGM",
                                      "FGA",
                                      "FG%",
                                      "EFF FG%",
                                      "2PT FG%",
                                      "3PT FGM",
                                      "3PT FGA",
                                      "3PT FG%",
                                      "FTM",
                                      "FTA",
                                      "FT%",
                                      "OFF REB",
                                      "DEF REB",
                                      "TOT REB",
                                      "AST",
                                      "PF",
                                      "DQ",
                                      "ST",
                                      "TO",
                                      "BS",
                                      "PTS",
                                      "AVG",
                                      "PRFM RAT/G",
                                      "PRFM RAT/MIN",
                                      "OLD PRFM RAT/G",
                                      "OLD PRFM RAT/MIN",
                                      "POSS FACT",
                                      "% SHOT",
                                      "%3PT SHOT",
                                      "% FLD",
                                      "% TO",
                                      "% PASS",
                                      "OREB RAT",
                                      "DREB RAT",
                                      "TREB RAT",
                                      "% FOUL",
                                      "% ST",
                                      "% BS",
                                      "MIN/G",
                                      "FGM/G",
                                      "FGA/G",
                                      "3PFGM/G",
                                      "3PFGA/G",
                                      "FTM/G",
                                      "FTA/G",
                                      "OREB/G",
                                      "DREB/G",
                                      "TREB/G",
                                      "AST/G",
                                      "PF/G",
                                      "ST/G",
                                      "TO/G",
                                      "BS/G",
                                      "FGM/MIN",
                                      "FGA/MIN",
                                      "3PFGM/MIN",
                                      "3PFGA/MIN",
                                      "FTM/MIN",
                                      "FTA/MIN",
                                      "OREB/MIN",
                                      "DREB/MIN",
                                      "TREB/MIN",
                                      "AST/MIN",
                                      "PF/MIN",
                                      "ST/MIN",
                                      "TO/MIN",
                                      "BS/MIN",
                                      "PTS/MIN"};

// Team columns 0 to 88 by their sort-list names, blanks as the catalogue quotes them; a column's
// abbreviation is the part before " - ", or the whole name where there is none.
const char* const kTeamSortNames[] = {"YEAR        - year",
                                      "TEAM CODE   - team code",
                                      "TEAM NAME   - team name",
                                      "LGE         - league",
                                      "DIV         - division",
                                      "G           - games",
                                      "WON         - wins",
                                      "LOST        - losses",
                                      "W-L%        - won/lost percentage",
                                      "HOME WIN    - home wins",
                                      "HOME LOSS   - home losses",
                                      "AWAY WIN    - away wins",
                                      "AWAY LOSS   - away losses",
                                      "NEUT WIN    - neutral wins",
                                      "NEUT LOSS   - neutral losses",
                                      "MIN         - minutes",
                                      "off FGM     - field goals made",
                                      "off FGA     - field goals attempted",
                                      "off FG%     - field goal percentage",
                                      "off EFF FG% - effective field goal percentage",
                                      "off 2FG%    - 2pt field goal percentage",
                                      "off 3FGM    - 3pt field goals made",
                                      "off 3FGA    - 3pt field goals attempted",
                                      "off 3FG%    - 3pt field goal percentage",
                                      "off FTM     - free throws made",
                                      "off FTA     - free throws attempted",
                                      "off FT%     - free throw percentage",
                                      "off OFF REB - offensive rebounds",
                                      "off DEF REB - defensive rebounds",
                                      "off TOT REB - total rebounds",
                                      "off AST     - assists",
                                      "off PF      - personal fouls",
                                      "off DQ      - disqualifications",
                                      "off ST      - steals",
                                      "off TO      - turnovers",
                                      "off BS      - blocked shots",
                                      "def FGM     - field goals made",
                                      "def FGA     - field goals attempted",
                                      "def FG%     - field goal percentage",
                                      "def EFF FG% - effective field goal percentage",
                                      "def 2FG%    - 2pt field goal percentage",
                                      "def 3FGM    - 3pt field goals made",
                                      "def 3FGA    - 3pt field goals attempted",
                                      "def 3FG%    - 3pt field goal percentage",
                                      "def FTM     - free throws made",
                                      "def FTA     - free throws attempted",
                                      "def FT%     - free throw percentage",
                                      "def OFF REB - offensive rebounds",
                                      "def DEF REB - defensive rebounds",
                                      "def TOT REB - total rebounds",
                                      "def AST     - assists",
                                      "def PF      - personal fouls",
                                      "def DQ      - disqualifications",
                                      "def ST      - steals",
                                      "def TO      - turnovers",
                                      "def BS      - blocked shots",
                                      "off TOT PTS - offensive total points",
                                      "def TOT PTS - defensive total points",
                                      "off PTS/G   - offensive points per game",
                                      "def PTS/G   - defensive points per game",
                                      "PTS DIFF    - point differential per game",
                                      "off FGM/G    ",
                                      "off FGA/G    ",
                                      "off 3FGM/G   ",
                                      "off 3FGA/G   ",
                                      "off FTM/G    ",
                                      "off FTA/G    ",
                                      "off OFF REB/G",
                                      "off DEF REB/G",
                                      "off TOT REB/G",
                                      "off AST/G    ",
                                      "off PF/G     ",
                                      "off ST/G     ",
                                      "off TO/G     ",
                                      "off BS/G     ",
                                      "def FGM/G    ",
                                      "def FGA/G    ",
                                      "def 3FGM/G   ",
                                      "def 3FGA/G   ",
                                      "def FTM/G    ",
                                      "def FTA/G    ",
                                      "def OFF REB/G",
                                      "def DEF REB/G",
                                      "def TOT REB/G",
                                      "def AST/G    ",
                                      "def PF/G     ",
                                      "def ST/G     ",
                                      "def TO/G     ",
                                      "def BS/G     "};

// The main menu, captions as the menu table gives them, with whether the user can see them.
struct MenuEntry {
    const char* path;
    bool visible;
};
const MenuEntry kMenu[] = {
    {"&Basketball Statistics", true},
    {"&Basketball Statistics > Players - &Regular Season", true},
    {"&Basketball Statistics > Players - &Playoffs", true},
    {"&Basketball Statistics > Teams - R&egular Season", true},
    {"&Basketball Statistics > Teams - P&layoffs", true},
    {"&Select", true},
    {"&Select > &Player", true},
    {"&Select > &Team", true},
    {"&Select > &Year", true},
    {"&Select > &League", true},
    {"&Sort", true},
    {"&Limit", true},
    {"&Reset", true},
    {"&Instructions", true},
    {"&Options", true},
    {"&Options > &Instructions", false},
    {"&Options > &View order form", false},
    {"&Options > P&layoff Results", false},
    {"&Options > &Season Summaries", false},
    {"&Options > &Awards", false},
    {"&Options > &Color options", true},
    {"&Options > &Unhide Columns", true},
    {"&Options > &Print", true},
    {"&Options > D&ata sources", true},
    {"&Options > &Statistics Definitions", true},
    {"&Options > &Statistics Definitions > &Players statistical definitions", true},
    {"&Options > &Statistics Definitions > &Teams statistical definitions", true},
    {"&Options > Print Pre&view", false},
    {"&Options > &Change proxy settings", true},
    {"&About", true},
    {"&Window", true},
    {"&Window > &Tile", true},
    {"&Window > &Cascade", true},
    {"&Window > &Arrange All", true},
    {"&Abort", false},
    {"E&xit", true},
};

QString stripAccessKeys(const char* caption) {
    return QString::fromLatin1(caption).remove(QLatin1Char('&'));
}

// The terms a definitions text defines, in text order: the abbreviation of every line of the form
// "ABBREVIATION - meaning" that starts at the margin, and every item of a bracketed group.
QStringList definedTerms(const QStringList& lines) {
    static const QRegularExpression term(QStringLiteral("^(\\S.*?) +- "));
    QStringList terms;
    bool inGroup = false;
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('[')) || inGroup) {
            QString items = line;
            items.remove(QLatin1Char('['));
            inGroup = !items.contains(QLatin1Char(']'));
            items.remove(QLatin1Char(']'));
            for (const QString& item : items.split(QLatin1Char(','), Qt::SkipEmptyParts))
                if (!item.trimmed().isEmpty())
                    terms << item.trimmed();
            continue;
        }
        const QRegularExpressionMatch match = term.match(line);
        if (match.hasMatch())
            terms << match.captured(1);
    }
    return terms;
}

QList<QStringList> groupsOf(const QStringList& lines) {
    QList<QStringList> groups;
    const QString text = lines.join(QLatin1Char('\n'));
    static const QRegularExpression group(QStringLiteral("\\[([^\\]]*)\\]"));
    for (const QRegularExpressionMatch& match : group.globalMatch(text)) {
        QStringList items;
        for (const QString& item : match.captured(1).split(QLatin1Char(',')))
            items << item.trimmed();
        groups << items;
    }
    return groups;
}

// Menu paths a text names: quoted captions joined by " > ", or one quoted caption followed by
// the word "menu". Quotes pair up within a line.
QStringList menuMentions(const QStringList& lines) {
    QStringList paths;
    for (const QString& line : lines) {
        const QStringList parts = line.split(QLatin1Char('"'));
        for (qsizetype i = 1; i < parts.size(); i += 2) {
            QStringList path{parts[i]};
            qsizetype j = i;
            while (j + 2 < parts.size() && parts[j + 1].trimmed() == QLatin1String(">")) {
                path << parts[j + 2];
                j += 2;
            }
            const bool menuWord = j + 1 < parts.size() && parts[j + 1].startsWith(QLatin1String(" menu"));
            if (path.size() > 1 || menuWord)
                paths << path.join(QLatin1String(" > "));
            i = j;
        }
    }
    return paths;
}

struct DataSource {
    QString repository;
    QString usedFor;
};

// The source table of DATA.md: one row per raw-data folder, "| folder | repository | used for |".
QList<DataSource> dataMdSources(QString* error) {
    const QString path = QFINDTESTDATA("../../DATA.md");
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("DATA.md not found from the test's source folder");
        return {};
    }
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const qsizetype section = lines.indexOf(QStringLiteral("## Sources and attribution"));
    QList<DataSource> sources;
    for (qsizetype i = section + 1; section >= 0 && i < lines.size(); ++i) {
        if (lines[i].startsWith(QLatin1String("## ")))
            break;
        if (!lines[i].startsWith(QLatin1String("| `")))
            continue;
        const QStringList cells = lines[i].split(QLatin1Char('|'));
        if (cells.size() >= 4)
            sources.append({cells[2].trimmed(), cells[3].trimmed()});
    }
    if (sources.isEmpty())
        *error = QStringLiteral("no source rows in DATA.md");
    return sources;
}

// Source lines of the sources text: unindented lines that begin with a repository "owner/name".
QStringList sourceLines(const QStringList& lines) {
    static const QRegularExpression repository(QStringLiteral("^[A-Za-z0-9_.-]+/[A-Za-z0-9_.-]+"));
    QStringList found;
    for (const QString& line : lines)
        if (repository.match(line).hasMatch())
            found << line;
    return found;
}

const QRegularExpression kSeasonRange(QStringLiteral("\\d{4}-\\d{2} to \\d{4}-\\d{2}"));

} // namespace

class TestHelpTexts : public QObject {
    Q_OBJECT

  private slots:
    void titles_data();
    void titles();
    void quotedLines_data();
    void quotedLines();
    void definitions_data();
    void definitions();
    void bracketGroups_data();
    void bracketGroups();
    void dataSources_data();
    void dataSources();
    void noPrintedSources_data();
    void noPrintedSources();
    void tutorialHeadings_data();
    void tutorialHeadings();
    void tutorialShape();
    void tutorialMentions_data();
    void tutorialMentions();
    void tutorialMenusExist();
};

void TestHelpTexts::titles_data() {
    QTest::addColumn<HelpText>("text");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("players") << HelpText::PlayerDefinitions << "Help - Stats Definitions - Basketball Players"
                             << "BASKETBALL PLAYERS DATABASE STATISTICS DEFINITIONS:";
    QTest::newRow("teams") << HelpText::TeamDefinitions << "Help - Stats Definitions - Basketball Teams"
                           << "BASKETBALL TEAMS DATABASE STATISTICS DEFINITIONS:";
    QTest::newRow("sources") << HelpText::DataSources << "Help - Data Sources"
                             << "BASKETBALL DATA SOURCES:";
}

void TestHelpTexts::titles() {
    QFETCH(HelpText, text);
    QFETCH(QString, caption);
    QFETCH(QString, firstLine);
    QCOMPARE(helpCaption(text), caption);
    const QStringList lines = helpTextLines(text);
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines[0], firstLine);
    QCOMPARE(lines[1], QString());
    QVERIFY(!lines[2].isEmpty());
}

void TestHelpTexts::quotedLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("quoted");
    QTest::addColumn<int>("fromEnd"); // 1 = the last line, 2 = the one before; 0 = anywhere
    const QStringList players = playerDefinitionsText();
    const QStringList teams = teamDefinitionsText();
    QTest::newRow("effective FG%") << players << "EFF FG% = (2PT FGM + 1.5 x 3PT FGM)/FGA x 100" << 0;
    QTest::newRow("performance")
        << players << "performance pts = pts + reb + ast + st + bs - FGmissed - FTmissed - to - pf" << 0;
    QTest::newRow("possession factor")
        << players << "(FGA + turnovers + passes thrown + number of times fouled)/Min" << 0;
    QTest::newRow("team year") << teams << "YEAR        - year statistics were accumulated" << 0;
    QTest::newRow("closing note") << teams << "remaining statistics are team offensive and defensive" << 2;
    QTest::newRow("closing note end") << teams << "per game statistics" << 1;
}

void TestHelpTexts::quotedLines() {
    QFETCH(QStringList, lines);
    QFETCH(QString, quoted);
    QFETCH(int, fromEnd);
    QStringList trimmed;
    for (const QString& line : lines)
        trimmed << line.trimmed();
    QCOMPARE(trimmed.count(quoted), 1);
    if (fromEnd > 0)
        QCOMPARE(trimmed.indexOf(quoted), lines.size() - fromEnd);
}

void TestHelpTexts::definitions_data() {
    QTest::addColumn<QStringList>("terms");
    QTest::addColumn<int>("columnCount");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("abbreviation");
    const QStringList players = definedTerms(playerDefinitionsText());
    const int playerCount = int(std::size(kPlayerColumns));
    for (int column = 0; column < playerCount; ++column)
        QTest::addRow("player %d %s", column, kPlayerColumns[column])
            << players << playerCount << column << QString::fromLatin1(kPlayerColumns[column]);
    const QStringList teams = definedTerms(teamDefinitionsText());
    const int teamCount = int(std::size(kTeamSortNames));
    for (int column = 0; column < teamCount; ++column) {
        const QString name = QString::fromLatin1(kTeamSortNames[column]);
        const QString abbreviation = name.section(QStringLiteral(" - "), 0, 0).trimmed();
        QTest::addRow("team %d %s", column, qPrintable(abbreviation))
            << teams << teamCount << column << abbreviation;
    }
}

// Each column is defined once, in catalogue order, and nothing else is defined.
void TestHelpTexts::definitions() {
    QFETCH(QStringList, terms);
    QFETCH(int, columnCount);
    QFETCH(int, column);
    QFETCH(QString, abbreviation);
    QCOMPARE(terms.count(abbreviation), 1);
    QCOMPARE(terms.indexOf(abbreviation), column);
    QCOMPARE(terms.size(), columnCount);
}

void TestHelpTexts::bracketGroups_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("player per game") << playerDefinitionsText() << 0 << "MIN/G"
                                     << "BS/G";
    QTest::newRow("player per minute") << playerDefinitionsText() << 1 << "FGM/MIN"
                                       << "BS/MIN";
    QTest::newRow("team off per game") << teamDefinitionsText() << 0 << "off FGM/G"
                                       << "off BS/G";
    QTest::newRow("team def per game") << teamDefinitionsText() << 1 << "def FGM/G"
                                       << "def BS/G";
}

void TestHelpTexts::bracketGroups() {
    QFETCH(QStringList, lines);
    QFETCH(int, group);
    QFETCH(QString, first);
    QFETCH(QString, last);
    const QList<QStringList> groups = groupsOf(lines);
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groups[group].first(), first);
    QCOMPARE(groups[group].last(), last);
}

void TestHelpTexts::dataSources_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("sourceCount");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("usedFor");
    QString error;
    const QList<DataSource> sources = dataMdSources(&error);
    if (!error.isEmpty())
        QFAIL(qPrintable(error));
    for (int i = 0; i < sources.size(); ++i)
        QTest::newRow(qPrintable(sources[i].repository))
            << i << int(sources.size()) << sources[i].repository + QStringLiteral(" - ") + sources[i].usedFor
            << sources[i].usedFor;
}

// The text lists DATA.md's sources, in its order and words, each followed by the seasons it covers.
void TestHelpTexts::dataSources() {
    QFETCH(int, index);
    QFETCH(int, sourceCount);
    QFETCH(QString, expected);
    QFETCH(QString, usedFor);
    const QStringList lines = dataSourcesText();
    const QStringList sources = sourceLines(lines);
    QCOMPARE(sources.size(), sourceCount);
    QCOMPARE(sources[index], expected);

    QStringList coverage;
    for (qsizetype i = lines.indexOf(expected) + 1; i < lines.size() && lines[i].startsWith(QLatin1Char(' '));
         ++i)
        coverage << lines[i];
    QVERIFY2(kSeasonRange.match(coverage.join(QLatin1Char(' '))).hasMatch(), "no seasons under the source");
    const QRegularExpressionMatch named = kSeasonRange.match(usedFor);
    if (named.hasMatch())
        QVERIFY(coverage.join(QLatin1Char(' ')).contains(named.captured()));
}

void TestHelpTexts::noPrintedSources_data() {
    QTest::addColumn<QString>("word");
    for (const char* word : {"Guide", "Register", "Encyclopedia", "Handbook", "Record Book", "Almanac"})
        QTest::newRow(word) << QString::fromLatin1(word);
}

// Our data come from the repositories of DATA.md, not from printed books.
void TestHelpTexts::noPrintedSources() {
    QFETCH(QString, word);
    for (const QStringList& text : {dataSourcesText(), tutorialText()})
        QVERIFY2(!text.join(QLatin1Char('\n')).contains(word, Qt::CaseInsensitive), qPrintable(word));
}

void TestHelpTexts::tutorialHeadings_data() {
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("previous");
    const QStringList headings{
        QStringLiteral("INCREASE TRAFFIC TO YOUR WEBSITE:"),
        QStringLiteral(
            "QUICK INSTRUCTIONS/TUTORIAL FOR USING THE ONLINE INTERACTIVE HISTORICAL SPORTS STATISTICS "
            "DATABASES FOR BASEBALL, "),
        QStringLiteral("Directions/Hints:"),
        QStringLiteral("DATABASE TIDBITS AND HINTS:"),
        QStringLiteral("PRINTING:"),
    };
    for (qsizetype i = 0; i < headings.size(); ++i)
        QTest::newRow(qPrintable(headings[i].left(30)))
            << headings[i] << (i > 0 ? headings[i - 1] : QString());
}

void TestHelpTexts::tutorialHeadings() {
    QFETCH(QString, heading);
    QFETCH(QString, previous);
    const QStringList lines = tutorialText();
    QCOMPARE(lines.count(heading), 1);
    if (!previous.isEmpty())
        QVERIFY(lines.indexOf(heading) > lines.indexOf(previous));
}

void TestHelpTexts::tutorialShape() {
    const QStringList lines = tutorialText();
    QVERIFY2(lines.size() >= 200 && lines.size() <= 300, qPrintable(QString::number(lines.size())));
    QCOMPARE(lines.first(), QStringLiteral("INCREASE TRAFFIC TO YOUR WEBSITE:"));

    // The long heading goes on in the next line.
    const qsizetype quick = lines.indexOf(QRegularExpression(QStringLiteral("QUICK INSTRUCTIONS/.*")));
    QVERIFY(quick > 0 && quick + 1 < lines.size());
    QVERIFY(!lines[quick + 1].trimmed().isEmpty());

    // The memory note sits between the promotion and the instructions.
    const QStringList before = lines.mid(1, quick - 1);
    QVERIFY(!before.filter(QStringLiteral("memory"), Qt::CaseInsensitive).isEmpty());

    // A caption quoted across two lines could not be found in the window.
    for (const QString& line : lines)
        QVERIFY2(line.count(QLatin1Char('"')) % 2 == 0, qPrintable(line));
}

void TestHelpTexts::tutorialMentions_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("menuPath");
    for (const char* path : {"&Basketball Statistics", "&Select", "&Sort", "&Limit", "&Reset",
                             "&Options > &Color options", "&Options > &Unhide Columns", "&Options > &Print",
                             "&Options > D&ata sources", "&Options > &Statistics Definitions",
                             "&Window > &Tile", "&Window > &Cascade", "&Window > &Arrange All"})
        QTest::newRow(path) << stripAccessKeys(path) << true;
    for (const char* caption :
         {"\"Keep last sort setting\"", "\"Erase last sort setting\"", "\"&Fit to page\"",
          "\"&Don't fit to page\"", "\"Printer &Setup\"", "\"Print Pre&view\"", "\"OK to Print\"",
          "\"&LOAD Print Settings\"", "\"&SAVE Print Settings\"", ".BKP", ".BKT", "Ctrl+F4", "Ctrl+F6",
          "Ctrl+Tab", "double-click"})
        QTest::newRow(caption) << stripAccessKeys(caption) << false;
}

void TestHelpTexts::tutorialMentions() {
    QFETCH(QString, text);
    QFETCH(bool, menuPath);
    const QStringList lines = tutorialText();
    if (!menuPath) {
        QVERIFY(lines.join(QLatin1Char('\n')).contains(text));
        return;
    }
    const QStringList mentions = menuMentions(lines);
    const bool named = std::any_of(mentions.begin(), mentions.end(), [&text](const QString& mention) {
        return mention == text || mention.startsWith(text + QStringLiteral(" > "));
    });
    QVERIFY2(named, qPrintable(text));
}

// Every menu command the tutorial names is one the user can find in the menu bar.
void TestHelpTexts::tutorialMenusExist() {
    QHash<QString, bool> menu;
    for (const MenuEntry& entry : kMenu)
        menu.insert(stripAccessKeys(entry.path), entry.visible);
    const QStringList mentions = menuMentions(tutorialText());
    QVERIFY(mentions.size() > 20);
    for (const QString& mention : mentions) {
        QVERIFY2(menu.contains(mention), qPrintable(QStringLiteral("no such menu entry: ") + mention));
        QVERIFY2(menu.value(mention), qPrintable(QStringLiteral("hidden menu entry: ") + mention));
    }
}

QTEST_GUILESS_MAIN(TestHelpTexts)
#include "tst_helptexts.moc"
