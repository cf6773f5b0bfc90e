#include "ResultFixture.h"

#include <QList>
#include <QStringList>

#include <cstdio>

namespace statdesk::test {
namespace {

// Reply field types of a player row after the six texts: these hold whole numbers.
bool isWholeField(int field) {
    return (field >= 6 && field <= 9) || field == 13 || field == 14 || field == 16 || field == 17 ||
           (field >= 19 && field <= 27) || field == 45;
}

std::string numbered(const char* pattern, int i) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, i);
    return text;
}

std::string seasonText(int season) {
    return numbered("%02d", season % 100) + numbered("%02d", (season + 1) % 100);
}

} // namespace

FixtureRow generatedPlayer(int i) {
    static const char* const kNames[] = {"Comma, Al %03d",
                                         "Quote \"Q\" %03d",
                                         "Jos\xe9 \xdcnal %03d",
                                         "\x8a"
                                         "arunas %03d",
                                         "Semi;colon %03d",
                                         "Tab\tName %03d",
                                         " Lead %03d",
                                         "Plain Name %03d"};
    const int season = 1950 + i % 60;
    FixtureRow row{i + 1, season, std::vector<std::string>(kGeneratedFields),
                   std::vector<double>(kGeneratedFields, 0)};
    row.texts[0] = numbered(kNames[i % 8], i);
    row.texts[1] = i % 3 == 0 ? "ABA" : "NBA";
    row.texts[2] = numbered("T%02d", i % 30);
    row.texts[3] = numbered("Team, %d \"X\"", i % 30);
    row.texts[4] = seasonText(season);
    row.texts[kHeightField] = i % 10 == 0 ? "-999" : numbered("6-%d", i % 12);
    for (int field = kGeneratedTexts; field < kGeneratedFields; ++field) {
        if ((i + field) % 17 == 0)
            row.numbers[field] = -999;
        else if (isWholeField(field))
            row.numbers[field] = (i * 31 + field * 7) % 997;
        else
            row.numbers[field] = ((i * 13 + field * 5) % 400) / 10.0;
    }
    row.numbers[kGamesField] = i + 1;
    return row;
}

std::vector<FixtureTable> generatedTables(int count) {
    std::vector<FixtureTable> tables = fixtureTables();
    tables[0].rows.clear();
    for (int i = 0; i < count; ++i)
        tables[0].rows.push_back(generatedPlayer(i));
    return tables;
}

void writeGeneratedDatabase(const QString& path, int count) {
    writeFixtureDatabase(path, generatedTables(count));
}

QString fromCodePage(const std::string& bytes) {
    QString text;
    for (char c : bytes)
        text.append(static_cast<unsigned char>(c) == 0x8a ? QChar(0x0160)
                                                          : QChar(static_cast<unsigned char>(c)));
    return text;
}

QList<QStringList> readDelimited(const QString& text, QChar separator, const QString& lineEnd,
                                 bool* wellFormed) {
    *wellFormed = true;
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;    // inside quotes
    bool wasQuoted = false; // the field began with a quote
    bool closed = false;    // its closing quote has passed
    qsizetype i = 0;
    auto endField = [&] {
        record.append(field);
        field.clear();
        wasQuoted = closed = false;
    };
    while (i < text.size()) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field.append(c);
                i += 2;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
                closed = true;
                ++i;
            } else {
                field.append(c);
                ++i;
            }
            continue;
        }
        if (text.mid(i, lineEnd.size()) == lineEnd) {
            endField();
            records.append(record);
            record.clear();
            i += lineEnd.size();
            continue;
        }
        if (c == separator) {
            endField();
            ++i;
            continue;
        }
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || closed) {
            *wellFormed = false;
        } else if (c == QLatin1Char('"')) {
            if (!field.isEmpty() || wasQuoted)
                *wellFormed = false;
            quoted = wasQuoted = true;
            ++i;
            continue;
        }
        field.append(c);
        ++i;
    }
    if (quoted || !field.isEmpty() || !record.isEmpty())
        *wellFormed = false;
    return records;
}

} // namespace statdesk::test
