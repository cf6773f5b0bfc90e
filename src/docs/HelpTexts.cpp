#include "HelpTexts.h"

namespace statdesk {

namespace {

constexpr qsizetype kLineWidth = 96;

// Writes definition lines with the hyphen of every line at one column, so the abbreviations
// and the meanings line up in the help window.
class DefinitionWriter {
  public:
    DefinitionWriter(QStringList& lines, qsizetype hyphenColumn) : m_lines(lines), m_hyphen(hyphenColumn) {}

    void term(const QString& abbreviation, const QString& meaning) {
        m_lines << abbreviation.leftJustified(m_hyphen - 1) + QStringLiteral(" - ") + meaning;
    }

    // An explanation under the meanings.
    void note(const QString& text) { m_lines << QString(m_hyphen + 2, QLatin1Char(' ')) + text; }

    // A bracketed list of columns that share one definition, wrapped to the line width.
    void group(const QStringList& names) {
        QString line = QStringLiteral("[");
        for (qsizetype i = 0; i < names.size(); ++i) {
            const QString item =
                names[i] + (i + 1 < names.size() ? QStringLiteral(",") : QStringLiteral("]"));
            if (line.size() > 1 && line.size() + 1 + item.size() > kLineWidth) {
                m_lines << line;
                line = QStringLiteral(" ") + item;
            } else {
                line += (line.size() > 1 ? QStringLiteral(" ") : QString()) + item;
            }
        }
        m_lines << line;
    }

    void text(const QString& line) { m_lines << line; }
    void blank() { m_lines << QString(); }

  private:
    QStringList& m_lines;
    qsizetype m_hyphen;
};

QStringList titled(const char* title) {
    return {QString::fromLatin1(title), QString()};
}

void writePlayerCounts(DefinitionWriter& out) {
    out.term("PLAYER NAME", "name of the player; first names too long for the column are shortened "
                            "to initials");
    out.term("YEAR", "season the statistics were accumulated; 7475 represents the 1974-75 season");
    out.term("TEAM CODE", "three-letter code of the player's team");
    out.term("TEAM NAME", "name of the player's team");
    out.term("LGE", "league: NBA, ABA or BAA");
    out.term("HT", "height in feet and inches (6-9 is six feet nine inches)");
    out.term("G", "games played");
    out.term("MIN", "minutes played");
    out.term("FGM", "field goals made");
    out.term("FGA", "field goals attempted");
    out.term("FG%", "field goal percentage: FGM/FGA x 100");
    out.term("EFF FG%", "effective field goal percentage, which gives three-point baskets their due:");
    out.note("EFF FG% = (2PT FGM + 1.5 x 3PT FGM)/FGA x 100");
    out.term("2PT FG%", "two-point field goal percentage: (FGM - 3PT FGM)/(FGA - 3PT FGA) x 100");
    out.term("3PT FGM", "three-point field goals made");
    out.term("3PT FGA", "three-point field goals attempted");
    out.term("3PT FG%", "three-point field goal percentage: 3PT FGM/3PT FGA x 100");
    out.term("FTM", "free throws made");
    out.term("FTA", "free throws attempted");
    out.term("FT%", "free throw percentage: FTM/FTA x 100");
    out.term("OFF REB", "offensive rebounds");
    out.term("DEF REB", "defensive rebounds");
    out.term("TOT REB", "total rebounds: offensive plus defensive rebounds");
    out.term("AST", "assists");
    out.term("PF", "personal fouls");
    out.term("DQ", "disqualifications (fouled out); no source of this database has them, so they show ---");
    out.term("ST", "steals");
    out.term("TO", "turnovers");
    out.term("BS", "blocked shots");
    out.term("PTS", "points scored");
    out.term("AVG", "average points per game: PTS/G");
}

void writePlayerRatings(DefinitionWriter& out) {
    out.term("PRFM RAT/G", "performance rating per game");
    out.term("PRFM RAT/MIN", "performance rating per minute");
    out.term("OLD PRFM RAT/G", "old performance rating per game");
    out.term("OLD PRFM RAT/MIN", "old performance rating per minute");
    out.note("a rating is performance pts divided by games (/G) or by minutes (/MIN):");
    out.note("performance pts = pts + reb + ast + st + bs - FGmissed - FTmissed - to - pf");
    out.note("The NBA did not record steals and blocked shots before 1973-74 nor turnovers");
    out.note("before 1977-78, so the old rating leaves them out:");
    out.note("old performance pts = pts + reb + ast - FGmissed - FTmissed - pf");
    out.note("It exists from 1950-51 on, when rebounds were first recorded (per minute from");
    out.note("1951-52, when minutes were).");
    out.term("POSS FACT", "possession factor: how often the player had the ball, per minute played");
    out.note("(FGA + turnovers + passes thrown + number of times fouled)/Min");
    out.note("The possession factor and the player attributes below, except % FOUL and % ST,");
    out.note("need passes thrown, times fouled or the opponents' shots, which were never");
    out.note("published: in this database they show ---.");
    out.term("% SHOT", "percent shot: field goal attempts per 100 times the player had the ball");
    out.term("%3PT SHOT", "percent three-point shot: 3PT FGA per 100 times the player had the ball");
    out.term("% FLD", "percent fouled: times fouled per 100 times the player had the ball");
    out.term("% TO", "percent turnover: turnovers per 100 times the player had the ball");
    out.term("% PASS", "percent pass: passes thrown per 100 times the player had the ball");
    out.term("OREB RAT", "offensive rebounding rating: offensive rebounds per 48 minutes x 3");
    out.term("DREB RAT", "defensive rebounding rating: defensive rebounds per 48 minutes x 2");
    out.term("TREB RAT", "total rebounding rating: total rebounds per 48 minutes");
    out.note("(an offensive rebound is rarer than a defensive one and weighs more)");
    out.term("% FOUL", "percent foul: personal fouls per 100 minutes played");
    out.term("% ST", "percent steal: steals per 100 minutes played");
    out.term("% BS", "percent blocked shot: shots blocked per 100 shots of the opponents while the");
    out.note("player was on the court");
}

void writeTeamEntries(DefinitionWriter& out) {
    out.term("YEAR", "year statistics were accumulated");
    out.note("7475 represents the 1974-75 season");
    out.term("TEAM CODE", "three-letter team code");
    out.term("TEAM NAME", "team name");
    out.term("LGE", "league: NBA, ABA or BAA");
    out.term("DIV", "division");
    out.term("G", "games played");
    out.term("WON", "games won");
    out.term("LOST", "games lost");
    out.term("W-L%", "won/lost percentage: WON/(WON + LOST), shown as a fraction (.610)");
    out.term("HOME WIN", "wins at home");
    out.term("HOME LOSS", "losses at home");
    out.term("AWAY WIN", "wins away");
    out.term("AWAY LOSS", "losses away");
    out.term("NEUT WIN", "wins on neutral courts");
    out.term("NEUT LOSS", "losses on neutral courts");
    out.term("MIN", "minutes played by the team's players (five times the minutes of its games)");
    out.blank();
    out.text("off statistics are the team's own, def statistics its opponents' against it:");
    out.blank();
    for (const char* side : {"off", "def"}) {
        const QString prefix = QString::fromLatin1(side) + QLatin1Char(' ');
        const auto name = [&prefix](const char* abbreviation) -> QString {
            return prefix + QLatin1String(abbreviation);
        };
        out.term(name("FGM"), "field goals made");
        out.term(name("FGA"), "field goals attempted");
        out.term(name("FG%"), "field goal percentage: FGM/FGA x 100");
        out.term(name("EFF FG%"), "effective field goal percentage: (2FGM + 1.5 x 3FGM)/FGA x 100");
        out.term(name("2FG%"), "two-point field goal percentage: (FGM - 3FGM)/(FGA - 3FGA) x 100");
        out.term(name("3FGM"), "three-point field goals made");
        out.term(name("3FGA"), "three-point field goals attempted");
        out.term(name("3FG%"), "three-point field goal percentage: 3FGM/3FGA x 100");
        out.term(name("FTM"), "free throws made");
        out.term(name("FTA"), "free throws attempted");
        out.term(name("FT%"), "free throw percentage: FTM/FTA x 100");
        out.term(name("OFF REB"), "offensive rebounds");
        out.term(name("DEF REB"), "defensive rebounds");
        out.term(name("TOT REB"), "total rebounds: offensive plus defensive rebounds");
        out.term(name("AST"), "assists");
        out.term(name("PF"), "personal fouls");
        out.term(name("DQ"), "disqualifications (in no source of this database: shown as ---)");
        out.term(name("ST"), "steals");
        out.term(name("TO"), "turnovers");
        out.term(name("BS"), "blocked shots");
        out.blank();
    }
    out.term("off TOT PTS", "points scored by the team");
    out.term("def TOT PTS", "points scored by the opponents");
    out.term("off PTS/G", "points scored per game");
    out.term("def PTS/G", "points allowed per game");
    out.term("PTS DIFF", "point differential per game: off PTS/G minus def PTS/G");
}

QStringList perGameNames(const char* side) {
    QStringList names;
    for (const char* total : {"FGM", "FGA", "3FGM", "3FGA", "FTM", "FTA", "OFF REB", "DEF REB", "TOT REB",
                              "AST", "PF", "ST", "TO", "BS"})
        names << QString::fromLatin1(side) + QLatin1Char(' ') + QString::fromLatin1(total) +
                     QStringLiteral("/G");
    return names;
}

} // namespace

QStringList playerDefinitionsText() {
    QStringList lines = titled("BASKETBALL PLAYERS DATABASE STATISTICS DEFINITIONS:");
    DefinitionWriter counts(lines, 12);
    writePlayerCounts(counts);
    counts.blank();
    DefinitionWriter ratings(lines, 17);
    writePlayerRatings(ratings);
    ratings.blank();

    DefinitionWriter groups(lines, 8);
    groups.group({"MIN/G", "FGM/G", "FGA/G", "3PFGM/G", "3PFGA/G", "FTM/G", "FTA/G", "OREB/G", "DREB/G",
                  "TREB/G", "AST/G", "PF/G", "ST/G", "TO/G", "BS/G"});
    groups.note("per game statistics: season totals divided by games played");
    groups.group({"FGM/MIN", "FGA/MIN", "3PFGM/MIN", "3PFGA/MIN", "FTM/MIN", "FTA/MIN", "OREB/MIN",
                  "DREB/MIN", "TREB/MIN", "AST/MIN", "PF/MIN", "ST/MIN", "TO/MIN", "BS/MIN"});
    groups.note("per minute statistics: season totals divided by minutes played");
    groups.term("PTS/MIN", "points scored per minute played");
    groups.blank();
    groups.text("--- marks a statistic that was not recorded in that season, or anything computed from one.");
    groups.text("The TOTALS line at the bottom of a table adds up every row of the current selection.");
    return lines;
}

QStringList teamDefinitionsText() {
    QStringList lines = titled("BASKETBALL TEAMS DATABASE STATISTICS DEFINITIONS:");
    DefinitionWriter out(lines, 12);
    writeTeamEntries(out);
    out.blank();
    out.group(perGameNames("off"));
    out.group(perGameNames("def"));
    out.text("remaining statistics are team offensive and defensive");
    out.text("per game statistics");
    return lines;
}

QStringList dataSourcesText() {
    QStringList lines = titled("BASKETBALL DATA SOURCES:");
    const auto text = [&lines](const char* line) { lines << QString::fromLatin1(line); };
    text("The statistics come from basketball-reference.com (directly or through the public GitHub");
    text("repositories below) and from nba.com. Each repository, what this database takes from it, and");
    text("the seasons it covers:");
    text("");
    text("sumitrodatta/contract-prediction-2020 - regular-season player totals");
    text("     1946-47 to 2019-20 (2019-20 as of the March 2020 suspension)");
    text("sumitrodatta/bball-reference-datasets - team and opponent totals, wins/losses, team names and "
         "codes, heights, the player-season bridge");
    text("     1946-47 to 2024-25");
    text(
        "HuyTu7/NBA-BasketballStats (\"basketballreference.com stats download 1.1\") - playoff player totals "
        "1949-50 to 2004-05, its team names");
    text("     1949-50 to 2004-05");
    text("TodXu/project, TodXu/R-Project, AamiragUNT/DTSC4050 (Open Source Sports database) - divisions, "
         "home/away/neutral records, playoff series results");
    text("     divisions 1946-47 to 2011-12, home/away/neutral records 1946-47 to 2008-09,");
    text("     playoff series results 1996-97 to 2009-10");
    text("gonzalo-gigena/nba-datasets (MIT) - box scores of every playoff game 1946-47 to 1995-96, the list "
         "of playoff games");
    text("     1946-47 to 1995-96");
    text("neelshah400/NBA-Playoff-Predictions - home and road records 2009-10 to 2022-23");
    text("     2009-10 to 2022-23");
    text("NocturneBear/NBA-Data-2010-2024 (MIT) - playoff team game logs 2010-11 to 2023-24");
    text("     2010-11 to 2023-24");
    text("");
    text("The basketballreference.com stats download asks to credit basketballreference.com.");
    text("Seasons without a source are not in the tables: player playoffs after 2004-05, team playoffs");
    text("after 2023-24, and home/away records of the 2023-24 and 2024-25 regular seasons.");
    return lines;
}

QString helpCaption(HelpText text) {
    switch (text) {
    case HelpText::PlayerDefinitions:
        return QStringLiteral("Help - Stats Definitions - Basketball Players");
    case HelpText::TeamDefinitions:
        return QStringLiteral("Help - Stats Definitions - Basketball Teams");
    case HelpText::DataSources:
        return QStringLiteral("Help - Data Sources");
    }
    return {};
}

QStringList helpTextLines(HelpText text) {
    switch (text) {
    case HelpText::PlayerDefinitions:
        return playerDefinitionsText();
    case HelpText::TeamDefinitions:
        return teamDefinitionsText();
    case HelpText::DataSources:
        return dataSourcesText();
    }
    return {};
}

} // namespace statdesk
