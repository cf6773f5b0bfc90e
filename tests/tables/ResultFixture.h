#pragma once

#include "FixtureDatabase.h"

#include <QString>

#include <string>
#include <vector>

// A players table of many generated rows with awkward texts (commas, quotes, a tab, leading blanks,
// Windows-1252 letters), missing values here and there, and the games column numbering the rows
// 1, 2, 3... so that a sort by games gives the rows in the order they were made.
namespace statdesk::test {

inline constexpr int kGeneratedTexts = 6;
inline constexpr int kGeneratedFields = 76;
inline constexpr int kGamesField = 6;
inline constexpr int kHeightField = 5;

// Row i of the generated table (0-based); texts are Windows-1252 bytes.
FixtureRow generatedPlayer(int i);
// players_regular holds `count` generated rows; the other tables are the small fixture's.
std::vector<FixtureTable> generatedTables(int count);
// Writes them into a new file at path.
void writeGeneratedDatabase(const QString& path, int count);

// Windows-1252 as this test reads it: Latin-1, but 0x8A is "Š".
QString fromCodePage(const std::string& bytes);

// Every record of RFC 4180 text: fields split at separator, quoted fields with doubled quotes, records
// ended by lineEnd outside quotes. Sets *wellFormed to false at a quote inside an unquoted field, a
// stray character after a closing quote, a line end other than lineEnd, or a last record without
// its line end.
QList<QStringList> readDelimited(const QString& text, QChar separator, const QString& lineEnd,
                                 bool* wellFormed);

} // namespace statdesk::test
