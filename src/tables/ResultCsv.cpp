#include "ResultCsv.h"

#include "ColumnCatalogue.h"
#include "CsvWriter.h"
#include "NotRecorded.h"
#include "Windows1252.h"

#include <QSaveFile>

#include <algorithm>
#include <stdexcept>

namespace statdesk {
namespace {

// Written to the file in pieces of this size rather than a row at a time.
constexpr size_t kFlushBytes = 1 << 20;

struct ExportColumn {
    int column;
    int field;
    bool text;
};

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void writeTitles(CsvWriter& csv, Family family) {
    for (int column = 0; column < columnCount(family); ++column) {
        const std::string_view name = columnLongName(family, column);
        // Some long names are padded to a width; a title needs no trailing blanks.
        csv.addField(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).trimmed());
    }
    csv.endRow();
}

class SaveFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

void flush(QSaveFile& file, CsvWriter& csv) {
    if (file.write(csv.bytes().data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()))
        throw SaveFailure(file.errorString().toStdString());
    csv.clear();
}

} // namespace

QString exportFileName(DatasetKind kind, const QDate& day, const QString& suffix) {
    const QString family =
        datasetFamily(kind) == Family::Players ? QStringLiteral("players") : QStringLiteral("teams");
    const QString season = isRegularSeason(kind) ? QStringLiteral("regular") : QStringLiteral("playoffs");
    return QStringLiteral("%1-%2-%3.%4").arg(family, season, day.toString(Qt::ISODate), suffix);
}

CsvExportOutcome exportResultCsv(ResultReader& reader, Family family, const QString& path,
                                 const ResultReader::Progress& progress) {
    CsvExportOutcome outcome;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return outcome;
    }
    std::vector<ExportColumn> columns;
    for (int column = 0; column < columnCount(family); ++column) {
        const int field = replyFieldOfColumn(family, column);
        columns.push_back(
            {column, field, replyFields(family)[static_cast<size_t>(field)].type == FieldType::Text});
    }
    CsvWriter csv(',', "\r\n");
    // One buffer for the whole file, a row beyond the flush size.
    csv.reserve(kFlushBytes + (1 << 16));
    writeTitles(csv, family);
    try {
        const bool finished = reader.read(
            0, -1,
            [&](long long, std::span<const std::string_view> fields) {
                for (const ExportColumn& column : columns) {
                    const std::string_view line = fields[static_cast<size_t>(column.field)];
                    if (isNotRecorded(family, column.column, line))
                        csv.addUtf8Field({});
                    else if (column.text && !isAscii(line))
                        csv.addField(fromWindows1252(line));
                    else
                        csv.addUtf8Field(line);
                }
                csv.endRow();
                ++outcome.rows;
                if (csv.size() >= kFlushBytes)
                    flush(file, csv);
            },
            progress);
        if (!finished) {
            file.cancelWriting();
            outcome.status = CsvExportOutcome::Status::Cancelled;
            return outcome;
        }
        flush(file, csv);
    } catch (const SaveFailure& failure) {
        file.cancelWriting();
        outcome.error =
            QStringLiteral("Cannot write %1: %2").arg(path, QString::fromStdString(failure.what()));
        return outcome;
    } catch (const std::runtime_error& failure) {
        file.cancelWriting();
        outcome.error = QStringLiteral("The export stopped after %1 rows and %2 was not written: %3")
                            .arg(outcome.rows)
                            .arg(path, QString::fromStdString(failure.what()));
        return outcome;
    }
    if (!file.commit()) {
        outcome.error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return outcome;
    }
    outcome.status = CsvExportOutcome::Status::Written;
    return outcome;
}

} // namespace statdesk
