#include "UserWorkingFolder.h"

#include "StartupError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace statdesk {
namespace {

// The reference documents the build writes; the document menus look for these in the working folder.
const QStringList kDocumentPatterns = {QStringLiteral("*.awd"), QStringLiteral("*.SUM"), QStringLiteral("*.PL1"),
                                       QStringLiteral("INSTRUCT.TXT"), QStringLiteral("ORDERFRM.DOC")};

bool samePlace(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

// Links whose document a newer version no longer ships, or whose data were removed, would only
// show menu entries that open nothing.
void removeStaleLinks(const QDir& working, const QString& dataDir) {
    const QString prefix = QDir(dataDir).absolutePath() + QLatin1Char('/');
    for (const QFileInfo& entry : working.entryInfoList(QDir::Files | QDir::System)) {
        if (entry.isSymLink() && !entry.exists() && entry.symLinkTarget().startsWith(prefix) &&
            !QFile::remove(entry.absoluteFilePath()))
            throw StartupError(QStringLiteral("Cannot remove the stale link %1").arg(entry.absoluteFilePath()));
    }
}

void linkReferenceDocuments(const QDir& working, const QString& dataDir) {
    const QDir data(dataDir);
    for (const QFileInfo& document : data.entryInfoList(kDocumentPatterns, QDir::Files)) {
        const QString link = working.filePath(document.fileName());
        // A file of the user's own under that name stays as it is.
        if (QFileInfo(link).isSymLink() || QFileInfo::exists(link))
            continue;
        if (!QFile::link(document.absoluteFilePath(), link))
            throw StartupError(
                QStringLiteral("Cannot link %1 to %2").arg(link, document.absoluteFilePath()));
    }
}

} // namespace

QString enterUserWorkingFolder(const QString& programDir, const InstalledLayout& layout,
                               const QString& userDataHome) {
    if (!samePlace(programDir, layout.programDir))
        return QString();
    const QString folder = QDir(userDataHome).absoluteFilePath(QStringLiteral("statdesk"));
    if (!QDir().mkpath(folder))
        throw StartupError(QStringLiteral("Cannot create folder %1").arg(folder));
    if (!QDir::setCurrent(folder))
        throw StartupError(QStringLiteral("Cannot enter folder %1").arg(folder));
    const QDir working(folder);
    removeStaleLinks(working, layout.dataDir);
    linkReferenceDocuments(working, layout.dataDir);
    return folder;
}

} // namespace statdesk
