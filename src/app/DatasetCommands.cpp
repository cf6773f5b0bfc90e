#include "MainWindow.h"

#include "BrandRecord.h"
#include "SharedDialogs.h"
#include "StartupState.h"
#include "TFormSort3.h"
#include "THttpCli.h"
#include "TableWindow.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace statdesk {
namespace {

constexpr DatasetKind kDatasets[] = {DatasetKind::PlayersRegular, DatasetKind::PlayersPlayoffs,
                                     DatasetKind::TeamsRegular, DatasetKind::TeamsPlayoffs};

} // namespace

void TForm1::connectDatasetCommands() {
    connectHandler("Regular1", &TForm1::Regular1Click);
    connectHandler("Playoff1", &TForm1::Playoff1Click);
    connectHandler("Regular2", &TForm1::Regular2Click);
    connectHandler("Playoff2", &TForm1::Playoff2Click);
}

void TForm1::Regular1Click() {
    openDataset(0, "Regular1");
}
void TForm1::Playoff1Click() {
    openDataset(1, "Playoff1");
}
void TForm1::Regular2Click() {
    openDataset(2, "Regular2");
}
void TForm1::Playoff2Click() {
    openDataset(3, "Playoff2");
}

void TForm1::openDataset(int dataset, const char* openingEntry) {
    const DatasetKind kind = kDatasets[dataset];
    openedMarkers[static_cast<size_t>(dataset)] = 1;
    QAction* datasets = action("BasketballStatistics1");
    datasets->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore { // the menu and cursor come back however the opening ends
        QAction* datasets;
        ~Restore() {
            datasets->setEnabled(true);
            QApplication::restoreOverrideCursor();
        }
    } restore{datasets};

    const BrandRecord& brand = brandRecord();
    TableWindowSetup setup;
    setup.kind = kind;
    setup.brandHome = brand.BrandHome;
    setup.openingCommand = action(openingEntry);
    setup.menu = {action("Selectplayer1"), action("Selectteam1"), action("Selectyear1"),
                  action("SelectLeague1"), action("Sort1"),       action("Limit1"),
                  action("Reset1"),        action("Unhide1"),     action("Print1"),
                  action("Coloroptions1")};
    setup.usageEvents = sharedDialogs().FormSort3;
    setup.bannerCount = brand.BannerCount;
    setup.bannerClickAddress = brand.BannerClickAddress;
    setup.proxy = proxySettings();

    // Recorded before its first query, so that whatever runs while the query waits finds it.
    TableWindow* window = createTableWindow(m_mdiArea, setup);
    tableWindows[static_cast<size_t>(dataset)] = window;
    window->Refetch();
}

} // namespace statdesk
