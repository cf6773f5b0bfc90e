#include "MainWindow.h"

#include "StatdeskApplication.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace statdesk {
namespace {

enum State { On, Off, Hidden };

struct Entry {
    const char* caption;
    const char* name;
    State state;
};

QAction* addEntry(QWidget* parentMenu, QObject* owner, const Entry& entry) {
    auto* action = new QAction(QString::fromLatin1(entry.caption), owner);
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setEnabled(entry.state != Off);
    action->setVisible(entry.state != Hidden);
    parentMenu->addAction(action);
    return action;
}

QMenu* addSubmenu(QWidget* parentMenu, QWidget* owner, const Entry& entry) {
    auto* menu = new QMenu(QString::fromLatin1(entry.caption), owner);
    menu->setObjectName(QString::fromLatin1(entry.name));
    QAction* action = menu->menuAction();
    action->setObjectName(QString::fromLatin1(entry.name));
    action->setEnabled(entry.state != Off);
    action->setVisible(entry.state != Hidden);
    parentMenu->addAction(action);
    return menu;
}

void addEntries(QMenu* menu, QObject* owner, std::initializer_list<Entry> entries) {
    for (const Entry& entry : entries)
        addEntry(menu, owner, entry);
}

// A link menu of the brand: its caption entry plus 49 hidden items, filled from the brand's links.
void addLinkMenu(QMenuBar* bar, QWidget* owner, const char* name, const char* caption, int base) {
    QMenu* links = addSubmenu(bar, owner, {caption, name, Hidden});
    for (int k = 2; k <= 50; ++k) {
        const QByteArray itemName = "Item" + QByteArray::number(base + k) + "1";
        const QByteArray itemCaption = "Item " + QByteArray::number(base + k);
        addEntry(links, owner, {itemCaption.constData(), itemName.constData(), Hidden});
    }
}

} // namespace

void TForm1::buildMenu() {
    QMenuBar* bar = menuBar();

    QMenu* datasets = addSubmenu(bar, this, {"&Basketball Statistics", "BasketballStatistics1", On});
    addEntries(datasets, this,
               {{"Players - &Regular Season", "Regular1", On},
                {"Players - &Playoffs", "Playoff1", On},
                {"Teams - R&egular Season", "Regular2", On},
                {"Teams - P&layoffs", "Playoff2", On}});

    QMenu* select = addSubmenu(bar, this, {"&Select", "Select1", On});
    addEntries(select, this,
               {{"&Player", "Selectplayer1", Off},
                {"&Team", "Selectteam1", Off},
                {"&Year", "Selectyear1", Off},
                {"&League", "SelectLeague1", Off}});

    addEntry(bar, this, {"&Sort", "Sort1", Off});
    addEntry(bar, this, {"&Limit", "Limit1", Off});
    addEntry(bar, this, {"&Reset", "Reset1", Off});
    addLinkMenu(bar, this, "velmora1", "Item 1", 0);
    addLinkMenu(bar, this, "Item1001", "Item100", 100);
    addEntry(bar, this, {"&Instructions", "Databasetidbits1", On});

    QMenu* options = addSubmenu(bar, this, {"&Options", "Options1", On});
    addEntries(options, this,
               {{"&Instructions", "Instructions1", Hidden},
                {"&View order form", "Vieworderform1", Hidden},
                {"P&layoff Results", "PlayoffResults1", Hidden},
                {"&Season Summaries", "Seasonsummaries1", Hidden}});
    QMenu* awards = addSubmenu(options, this, {"&Awards", "Awards1", Hidden});
    addEntries(awards, this,
               {{"All League Teams", "AllLeagueTeams1", On},
                {"All Defensive Teams", "AllDefensiveTeams1", On},
                {"All Rookie Teams", "AllRookieTeams1", On},
                {"League MVPs", "LeagueMVPs1", On},
                {"Championship MVPs", "ChampionshipMVPs1", On},
                {"Rookie of the Year", "RookieoftheYear1", On},
                {"Defensive Player of the Year", "DefensivePlayer1", On},
                {"6th Man of the Year", "N6thMan1", On},
                {"All Star Games", "AllStarGames1", On},
                {"Coach of the Year", "CoachoftheYear1", On},
                {"Coaches W-L Record", "CoachesWLRecord1", On},
                {"Team 3-letter Codes", "Team3letterCodes1", On}});
    addEntries(options, this,
               {{"&Color options", "Coloroptions1", Off},
                {"&Unhide Columns", "Unhide1", Off},
                {"&Print", "Print1", Off},
                {"D&ata sources", "Datasources1", On}});
    QMenu* definitions = addSubmenu(options, this, {"&Statistics Definitions", "Help1", On});
    addEntries(definitions, this,
               {{"&Players statistical definitions", "Playersstatisticaldefinitions1", On},
                {"&Teams statistical definitions", "Teamsstatisticaldefinitions1", On}});
    addEntries(options, this,
               {{"Print Pre&view", "PrintPreview1", Hidden},
                {"&Change proxy settings", "Changeproxysettings1", On}});

    addEntry(bar, this, {"&About", "About1", On});
    m_windowMenu = addSubmenu(bar, this, {"&Window", "Window1", On});
    addEntry(bar, this, {"&Abort", "Abort1", Hidden});
    addEntry(bar, this, {"E&xit", "Exit1", On});

    connect(m_windowMenu, &QMenu::aboutToShow, this, &TForm1::fillWindowMenu);
    connectHandler("About1", &TForm1::About1Click);
    connectHandler("Changeproxysettings1", &TForm1::Changeproxysettings1Click);
    connectHandler("Exit1", &TForm1::Exit1Click);
    connectDatasetCommands();
    connectTableCommands();
    connectDocumentCommands();
    connectLinkMenus();
    revealShippedDocuments();
    addChildWindowKeys();
    fillWindowMenu();
}

void TForm1::connectHandler(const char* componentName, void (TForm1::*handler)()) {
    connect(action(componentName), &QAction::triggered, this,
            [this, handler] { runHandler([&] { (this->*handler)(); }); });
}

// One handler for the 98 link menu items, told which menu and which item was clicked.
void TForm1::connectLinkMenus() {
    m_linkMenu1 = findLinkMenu(*this, "velmora1", 0);
    m_linkMenu2 = findLinkMenu(*this, "Item1001", 100);
    for (int menu : {1, 2}) {
        const LinkMenu& links = menu == 1 ? m_linkMenu1 : m_linkMenu2;
        for (int item = 0; item < kLinkMenuItems; ++item)
            connect(links.items[static_cast<size_t>(item)], &QAction::triggered, this,
                    [this, menu, item] { runHandler([&] { linkMenuItemClick(menu, item); }); });
    }
}

// Tile, cascade, arrange, then one entry per child window; rebuilt each time the menu opens.
void TForm1::fillWindowMenu() {
    m_windowMenu->clear();
    const auto add = [this](const char* caption, const char* name, void (TForm1::*handler)()) {
        QAction* entry = addEntry(m_windowMenu, m_windowMenu, {caption, name, On});
        connect(entry, &QAction::triggered, this,
                [this, handler] { runHandler([&] { (this->*handler)(); }); });
    };
    add("&Tile", "Tile1", &TForm1::Tile1Click);
    add("&Cascade", "Cascade1", &TForm1::Cascade1Click);
    add("&Arrange All", "ArrangeAll1", &TForm1::ArrangeAll1Click);
    const QList<QMdiSubWindow*> children = m_mdiArea->subWindowList();
    if (!children.isEmpty())
        m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow* child : children) {
        QAction* entry =
            m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(child->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(child == m_mdiArea->activeSubWindow());
        connect(entry, &QAction::triggered, child, [this, child] { m_mdiArea->setActiveSubWindow(child); });
    }
}

} // namespace statdesk
