#pragma once

#include <QByteArray>
#include <QString>

namespace statdesk {

// Writes `outPath`: the program padded with zero bytes to the record offset, then `record`; the copy
// gets the program's permissions. Throws BrandToolError when the program is already longer than the
// offset or a file cannot be read or written.
void writeBrandedProgram(const QString& programPath, const QByteArray& record, const QString& outPath);

// The record bytes of a branded program as start-up sees them: from the offset up to the read limit.
QByteArray recordOfProgram(const QString& programPath);

// Reads a whole file; throws BrandToolError naming `what` when it cannot.
QByteArray readWholeFile(const QString& path, const QString& what);
// Writes a whole file or nothing; throws BrandToolError when it cannot.
void writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace statdesk
