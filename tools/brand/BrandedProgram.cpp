#include "BrandedProgram.h"

#include "BrandRecordLayout.h"
#include "BrandToolError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace statdesk {

QByteArray readWholeFile(const QString& path, const QString& what) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BrandToolError(QStringLiteral("Cannot open %1 %2: %3").arg(what, path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw BrandToolError(QStringLiteral("Cannot read %1 %2: %3").arg(what, path, file.errorString()));
    return bytes;
}

void writeWholeFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        throw BrandToolError(QStringLiteral("Cannot create folder %1").arg(info.absolutePath()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw BrandToolError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

void writeBrandedProgram(const QString& programPath, const QByteArray& record, const QString& outPath) {
    QByteArray bytes = readWholeFile(programPath, QStringLiteral("program"));
    if (bytes.size() > brandlayout::RecordOffset)
        throw BrandToolError(QStringLiteral("Program %1 is %2 bytes long, past the brand record offset %3; "
                                            "it is already branded or too large to carry a record")
                                 .arg(programPath)
                                 .arg(bytes.size())
                                 .arg(brandlayout::RecordOffset));
    bytes.append(QByteArray(brandlayout::RecordOffset - bytes.size(), '\0'));
    bytes.append(record);
    writeWholeFile(outPath, bytes);
    if (!QFile::setPermissions(outPath, QFile::permissions(programPath)))
        throw BrandToolError(QStringLiteral("Cannot set the permissions of %1").arg(outPath));
}

QByteArray recordOfProgram(const QString& programPath) {
    const QByteArray bytes = readWholeFile(programPath, QStringLiteral("program"));
    if (bytes.size() <= brandlayout::RecordOffset)
        throw BrandToolError(QStringLiteral("No brand record in file %1").arg(programPath));
    return bytes.mid(brandlayout::RecordOffset,
                     std::min<qint64>(bytes.size(), brandlayout::ProgramReadLimit) -
                         brandlayout::RecordOffset);
}

} // namespace statdesk
