#include "BrandTool.h"

#include "BrandDescription.h"
#include "BrandRecordEncoder.h"
#include "BrandRecordReader.h"
#include "BrandToolError.h"
#include "BrandedProgram.h"
#include "StartupError.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

namespace statdesk {

void buildBrandedProgram(const QString& brandPath, const QString& programPath, const QString& outPath) {
    const BrandDescription description = parseBrandDescription(
        readWholeFile(brandPath, QStringLiteral("brand description")), QFileInfo(brandPath).absolutePath());
    const QByteArray logo = description.LogoPath.isEmpty()
                                ? QByteArray()
                                : readWholeFile(description.LogoPath, QStringLiteral("logo"));
    writeBrandedProgram(programPath, encodeBrandRecord(description.Record, logo), outPath);
}

QByteArray showBrandedProgram(const QString& programPath, const QString& logoOut,
                              const QString& descriptionDir) {
    QByteArray recordBytes = recordOfProgram(programPath);
    QBuffer record(&recordBytes);
    record.open(QIODevice::ReadOnly);
    QByteArray logoBytes;
    QBuffer logo(&logoBytes);
    BrandRecord brand;
    try {
        brand = readBrandRecord(record, logo);
    } catch (const StartupError& e) {
        throw BrandToolError(
            QStringLiteral("The brand record of %1 cannot be read: %2").arg(programPath, e.message()));
    }

    QString logoPath;
    if (!logoOut.isEmpty() && !logoBytes.isEmpty()) {
        writeWholeFile(logoOut, logoBytes);
        logoPath = QDir(descriptionDir).relativeFilePath(QFileInfo(logoOut).absoluteFilePath());
    }
    return QJsonDocument(describeBrand(brand, logoPath)).toJson(QJsonDocument::Indented);
}

} // namespace statdesk
