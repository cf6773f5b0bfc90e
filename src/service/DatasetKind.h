#pragma once

#include "ReplyLayout.h"

#include <QString>

#include <array>

namespace statdesk {

// The four datasets of the statistics service.
enum class DatasetKind { PlayersRegular, PlayersPlayoffs, TeamsRegular, TeamsPlayoffs };

inline constexpr std::array<DatasetKind, 4> kAllDatasets = {
    DatasetKind::PlayersRegular, DatasetKind::PlayersPlayoffs, DatasetKind::TeamsRegular,
    DatasetKind::TeamsPlayoffs};

// "Basketball Players Statistics-Regular Season" and the others.
QString datasetCaption(DatasetKind kind);
// "Basketball Players Regular Season" and the others: the start of the table dialogs' titles.
QString datasetDialogName(DatasetKind kind);
// "/cgi-bin/getbplayer-1.exe" and the others.
QString datasetPath(DatasetKind kind);
Family datasetFamily(DatasetKind kind);
// "TForm2A" for players, "TForm5" for teams.
QString datasetWindowClass(DatasetKind kind);
bool isRegularSeason(DatasetKind kind);
// Records a window of this dataset keeps: 30,000 for players, 15,000 for teams.
int datasetRowCapacity(DatasetKind kind);
// The dataset whose caption this is; false when none matches.
bool datasetFromCaption(const QString& caption, DatasetKind& kind);

} // namespace statdesk
