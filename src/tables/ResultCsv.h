#pragma once

#include "ResultReader.h"

#include <QDate>
#include <QString>

namespace statdesk {

struct CsvExportOutcome {
    enum class Status { Written, Cancelled, Failed };
    Status status = Status::Failed;
    long long rows = 0; // rows written
    QString error;      // why it failed, for the user
};

// Writes every row of the reader's result to path as CSV: UTF-8, RFC 4180 quoting, CR LF, a title
// row of the columns' long names, every column in column order (hidden ones too), the values as the
// service sent them and an empty field where the grid shows "---". The file is replaced only by a
// complete export: a cancelled or failed one leaves whatever was there before.
CsvExportOutcome exportResultCsv(ResultReader& reader, Family family, const QString& path,
                                 const ResultReader::Progress& progress = {});

// A file name for what a window of this dataset saves on this day: "players-regular-2026-12-11.csv".
QString exportFileName(DatasetKind kind, const QDate& day, const QString& suffix);

} // namespace statdesk
