#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

namespace statdesk::test {

// One game as the raw files tell it, read by the test itself.
struct RawGame {
    QString id; // "196203020NYK": date, "0", home code (the game logs' codes turned into the box scores')
    QDate date;
    QString home, away;
    int homePoints = 0, awayPoints = 0;
    QString topScorer; // empty for the game logs, which have no player lines
    int topScorerPoints = -1;
};

// Every game of the raw box-score files and the playoff game logs.
class RawGameDays {
  public:
    // False, with the reason in errorString(), when a file cannot be read.
    bool read(const QString& rawFolder);
    QString errorString() const { return m_error; }

    const RawGame* find(const QString& id) const;
    QList<const RawGame*> gamesOn(int month, int day) const;
    int count() const { return static_cast<int>(m_games.size()); }

  private:
    bool readBoxScores(const QString& folder);
    bool readGameLogs(const QString& file);

    QHash<QString, RawGame> m_games;
    QString m_error;
};

} // namespace statdesk::test
