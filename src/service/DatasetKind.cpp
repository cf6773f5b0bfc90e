#include "DatasetKind.h"

namespace statdesk {
namespace {

struct DatasetInfo {
    const char* caption;
    const char* dialogName;
    const char* path;
    Family family;
    const char* windowClass;
    bool regularSeason;
};

const DatasetInfo& info(DatasetKind kind) {
    static const std::array<DatasetInfo, 4> table = {{
        {"Basketball Players Statistics-Regular Season", "Basketball Players Regular Season",
         "/cgi-bin/getbplayer-1.exe", Family::Players, "TForm2A", true},
        {"Basketball Player Statistics-Playoffs", "Basketball Players Playoffs", "/cgi-bin/getbplayer2-1.exe",
         Family::Players, "TForm2A", false},
        {"Basketball Teams Statistics-Regular Season", "Basketball Teams Regular Season",
         "/cgi-bin/getbteam-1.exe", Family::Teams, "TForm5", true},
        {"Basketball Teams Statistics-Playoffs", "Basketball Teams Playoffs", "/cgi-bin/getbteam2-1.exe",
         Family::Teams, "TForm5", false},
    }};
    return table[static_cast<size_t>(kind)];
}

} // namespace

QString datasetCaption(DatasetKind kind) {
    return QString::fromLatin1(info(kind).caption);
}

QString datasetDialogName(DatasetKind kind) {
    return QString::fromLatin1(info(kind).dialogName);
}

QString datasetPath(DatasetKind kind) {
    return QString::fromLatin1(info(kind).path);
}

Family datasetFamily(DatasetKind kind) {
    return info(kind).family;
}

QString datasetWindowClass(DatasetKind kind) {
    return QString::fromLatin1(info(kind).windowClass);
}

bool isRegularSeason(DatasetKind kind) {
    return info(kind).regularSeason;
}

int datasetRowCapacity(DatasetKind kind) {
    return datasetFamily(kind) == Family::Players ? 30000 : 15000;
}

bool datasetFromCaption(const QString& caption, DatasetKind& kind) {
    for (DatasetKind candidate : kAllDatasets) {
        if (caption == datasetCaption(candidate)) {
            kind = candidate;
            return true;
        }
    }
    return false;
}

} // namespace statdesk
