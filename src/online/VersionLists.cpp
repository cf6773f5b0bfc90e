#include "VersionLists.h"

#include "NumberText.h"

namespace statdesk {

bool versionListSaysOutOfDate(const QStringList& lines, const QString& brandHome,
                              const QString& versionText) {
    if (lines.isEmpty())
        return false;
    qsizetype match = -1;
    for (qsizetype g = 0; g < lines.size() - 2; g += 3)
        if (lines[g + 1] == brandHome && lines[g] == QLatin1String(kProductCode))
            match = g;
    // Without a match the first line stands in for the version, and the copy is out of date anyway.
    const QString& current = match >= 0 ? lines[match + 2] : lines.first();
    return match < 0 || current != versionText;
}

std::optional<BannerSettings> bannerSettingsFromList(const QStringList& lines, const QString& brandHome,
                                                     const BannerSettings& current) {
    qsizetype match = -1;
    for (qsizetype g = 0; g < lines.size() - 2; g += 6) {
        if (lines[g] != brandHome)
            continue;
        // A group for this brand cut short leaves the settings as they are.
        if (g + 5 >= lines.size())
            return std::nullopt;
        if (lines[g + 5] == QLatin1String(kProductCode))
            match = g;
    }
    BannerSettings result = current;
    if (match < 0) {
        result.count = 0;
        return result;
    }
    result.count = readWholeInt(lines[match + 2].toStdString());
    result.address = lines[match + 3];
    result.clickAddress = lines[match + 4];
    return result;
}

} // namespace statdesk
