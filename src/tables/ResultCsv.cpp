#include "ResultCsv.h"

#include "CsvPageWriter.h"

#include <QSaveFile>

#include <stdexcept>

namespace statdesk {

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
    CsvPageWriter writer(file, family);
    bool finished = false;
    QString readFailure;
    try {
        finished = reader.readPages(
            0, -1, [&](ResultPage page) { return writer.add(std::move(page)); }, progress);
    } catch (const std::runtime_error& failure) {
        readFailure = QString::fromStdString(failure.what());
    }
    // The pages fetched before a stop are written too, so that the rows counted are those read.
    writer.finish();
    outcome.rows = writer.rows();
    // A reply cut inside a row was found by the writer, at a page before any the reader got to.
    if (writer.failure() == CsvPageWriter::Failure::Reply)
        readFailure = writer.failureText();
    if (writer.failure() == CsvPageWriter::Failure::File)
        outcome.error = QStringLiteral("Cannot write %1: %2").arg(path, writer.failureText());
    else if (!readFailure.isEmpty())
        outcome.error = QStringLiteral("The export stopped after %1 rows and %2 was not written: %3")
                            .arg(outcome.rows)
                            .arg(path, readFailure);
    else if (!finished)
        outcome.status = CsvExportOutcome::Status::Cancelled;
    else if (!file.commit())
        outcome.error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    else
        outcome.status = CsvExportOutcome::Status::Written;
    if (outcome.status != CsvExportOutcome::Status::Written)
        file.cancelWriting();
    return outcome;
}

} // namespace statdesk
