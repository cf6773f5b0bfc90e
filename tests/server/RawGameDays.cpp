#include "RawGameDays.h"

#include <QDir>
#include <QFile>

namespace statdesk::test {
namespace {

// None of these files quotes a field, so a comma always ends one.
bool readLines(const QString& path, QList<QStringList>& rows, QStringList& header) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    header = QString::fromUtf8(file.readLine()).trimmed().split(',');
    while (!file.atEnd())
        rows.append(QString::fromUtf8(file.readLine()).trimmed().split(','));
    return true;
}

// The game logs use the league's own codes for three teams.
QString boxScoreCode(const QString& code, const QString& teamName) {
    if (code == "BKN")
        return "BRK";
    if (code == "PHX")
        return "PHO";
    if (code == "CHA" && teamName == "Charlotte Hornets")
        return "CHO";
    return code;
}

} // namespace

bool RawGameDays::read(const QString& rawFolder) {
    return readBoxScores(rawFolder + "/gonzalo-gigena-nba-datasets/boxscores_by_year") &&
           readGameLogs(rawFolder + "/nocturnebear-nba-2010-2024/play_off_totals_2010_2024.csv");
}

bool RawGameDays::readBoxScores(const QString& folder) {
    const QStringList files = QDir(folder).entryList({"*.csv"}, QDir::Files);
    if (files.isEmpty()) {
        m_error = "no box-score files in " + folder;
        return false;
    }
    for (const QString& name : files) {
        QList<QStringList> rows;
        QStringList header;
        if (!readLines(folder + "/" + name, rows, header)) {
            m_error = "cannot read " + name;
            return false;
        }
        const int game = header.indexOf("Game Reference"), team = header.indexOf("Team"),
                  player = header.indexOf("Player Name"), points = header.indexOf("PTS");
        for (const QStringList& row : rows) {
            RawGame& g = m_games[row[game]];
            if (g.id.isEmpty()) {
                g.id = row[game];
                g.date = QDate::fromString(g.id.left(8), "yyyyMMdd");
                g.home = g.id.mid(9);
            }
            bool number = false;
            const int scored = row[points].toInt(&number);
            if (row[team] != g.home)
                g.away = row[team];
            (row[team] == g.home ? g.homePoints : g.awayPoints) += number ? scored : 0;
            if (number && scored > g.topScorerPoints) {
                g.topScorer = row[player];
                g.topScorerPoints = scored;
            }
        }
    }
    return true;
}

bool RawGameDays::readGameLogs(const QString& file) {
    QList<QStringList> rows;
    QStringList header;
    if (!readLines(file, rows, header)) {
        m_error = "cannot read " + file;
        return false;
    }
    const int gameId = header.indexOf("GAME_ID"), code = header.indexOf("TEAM_ABBREVIATION"),
              name = header.indexOf("TEAM_NAME"), date = header.indexOf("GAME_DATE"),
              matchup = header.indexOf("MATCHUP"), points = header.indexOf("PTS");
    QHash<QString, RawGame> byLogId;
    for (const QStringList& row : rows) {
        RawGame& g = byLogId[row[gameId]];
        g.date = QDate::fromString(row[date].left(10), "yyyy-MM-dd");
        const QString team = boxScoreCode(row[code], row[name]);
        if (row[matchup].contains(" vs. ")) {
            g.home = team;
            g.homePoints = row[points].toInt();
        } else {
            g.away = team;
            g.awayPoints = row[points].toInt();
        }
    }
    for (RawGame& g : byLogId) {
        g.id = g.date.toString("yyyyMMdd") + "0" + g.home;
        m_games.insert(g.id, g);
    }
    return true;
}

const RawGame* RawGameDays::find(const QString& id) const {
    const auto it = m_games.constFind(id);
    return it == m_games.constEnd() ? nullptr : &*it;
}

QList<const RawGame*> RawGameDays::gamesOn(int month, int day) const {
    QList<const RawGame*> games;
    for (const RawGame& g : m_games) {
        if (g.date.month() == month && g.date.day() == day)
            games.append(&g);
    }
    return games;
}

} // namespace statdesk::test
