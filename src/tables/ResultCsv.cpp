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
    const auto stopped = [&](const QString& why) {
        writer.finish();
        file.cancelWriting();
        outcome.rows = writer.rows();
        outcome.error = QStringLiteral("The export stopped after %1 rows and %2 was not written: %3")
                            .arg(outcome.rows)
                            .arg(path, why);
        return outcome;
    };
    bool finished = false;
    try {
        finished = reader.readPages(
            0, -1, [&](ResultPage page) { return writer.add(std::move(page)); }, progress);
    } catch (const std::runtime_error& failure) {
        return stopped(QString::fromStdString(failure.what()));
    }
    const CsvPageWriter::Failure failure = writer.finish();
    outcome.rows = writer.rows();
    if (failure == CsvPageWriter::Failure::Write) {
        file.cancelWriting();
        outcome.error = QStringLiteral("Cannot write %1: %2").arg(path, writer.error());
        return outcome;
    }
    if (failure == CsvPageWriter::Failure::Reply)
        return stopped(writer.error());
    if (!finished) {
        file.cancelWriting();
        outcome.status = CsvExportOutcome::Status::Cancelled;
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
