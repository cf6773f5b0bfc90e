#pragma once

#include "DatasetKind.h"
#include "ProxySettings.h"

#include <QString>

class QAction;

namespace statdesk {

class TFormSort3;

// The ten main-menu entries a table window switches on and off.
struct TableMenuActions {
    QAction* Selectplayer1 = nullptr;
    QAction* Selectteam1 = nullptr;
    QAction* Selectyear1 = nullptr;
    QAction* SelectLeague1 = nullptr;
    QAction* Sort1 = nullptr;
    QAction* Limit1 = nullptr;
    QAction* Reset1 = nullptr;
    QAction* Unhide1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* Coloroptions1 = nullptr;
};

// Everything a dataset command hands to the table window it opens.
struct TableWindowSetup {
    DatasetKind kind = DatasetKind::PlayersRegular;
    QString brandHome;                 // Label2, and the brand's key in every usage event
    QAction* openingCommand = nullptr; // disabled while the window exists
    TableMenuActions menu;
    TFormSort3* usageEvents = nullptr; // owner of the usage-event client
    int bannerCount = 0;
    QString bannerClickAddress;
    ProxySettings proxy;
};

} // namespace statdesk
