#pragma once

#include "BrandLinks.h"
#include "TickerRotation.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;

namespace statdesk {

class THttpCli;
class TFtpClient;
class TableWindow;
enum class HelpText;

// The main window: the MDI frame that owns every table and document window, the command menu
// and the brand's top band.
class TForm1 final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)
  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The set-up at creation; an error in a step is shown once and ends the set-up there.
    void FormCreate();
    // Runs at every activation: the welcome box once in showcase mode, then the preview's geometry.
    void FormActivate();
    // Copies the process-wide proxy settings, when switched on, into the five clients that take them.
    void applyProxySettings();

    // Showcase rotation, every 10 s while Timer4 runs: the next sample brand, then Reposition, then
    // the link menus rebuilt from it as the set-up builds them.
    void Timer4Timer();
    // Re-applies band, title and panel link labels from the brand, and re-sets the table windows'
    // brand labels.
    void Reposition();

    // News ticker: the next headline (Timer1) and the next article title (Timer2), every 3 s.
    void Timer1Timer();
    void Timer2Timer();
    // Banner rotation, every 15 s: the next eligible slot's picture, fetched into "temp3.gif".
    void Timer3Timer();

    QMdiArea* mdiArea() const { return m_mdiArea; }
    QAction* action(const char* componentName) const;
    QMenu* menu(const char* componentName) const;
    QFrame* CoolBar1 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr; // today's headline
    QLabel* Label4 = nullptr; // yesterday's headline
    QLabel* Label5 = nullptr; // "BASKETBALL"
    std::array<QLabel*, 3> Articles{}; // Article1 to Article3
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
    QTimer* Timer4 = nullptr;

    // Hidden line stores for downloaded text.
    QStringList ListBox1, ListBox2, ListBox3, ListBox4;
    std::array<int, 4> openedMarkers{}; // one per dataset; set by its command, read by the banners
    bool welcomeShown = false;
    int showcasePosition = 0;
    int bannerSlot = 0;  // the slot the last banner request filled, 1 to 8
    bool bannerBusy = false;
    int hintDisplayTimeMs = 0; // how long the ticker's tooltips stay; set when the news runs

    THttpCli* HttpCli1 = nullptr;
    THttpCli* HttpCli2 = nullptr;
    THttpCli* HttpCli3 = nullptr;
    THttpCli* BaseballArticleGaffle = nullptr;
    THttpCli* SummaryGank = nullptr;
    THttpCli* HttpCliAd = nullptr;
    TFtpClient* FtpClient1 = nullptr;

    // The open table window of each dataset, cleared when it closes.
    std::array<QPointer<TableWindow>, 4> tableWindows;

    // Children whose caption starts with this text are table windows of that family.
    static bool isPlayerWindow(const QWidget* window);
    static bool isTeamWindow(const QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildBand();
    void buildMenu();
    void connectDatasetCommands();
    void connectHandler(const char* componentName, void (TForm1::*handler)());
    void setUpSteps();
    void runVersionCheck();
    void refreshBannerSettings();
    void runNewsSetup();
    void connectNewsTicker();
    void pauseNews();
    void resumeNews();
    void Label3Click();
    void Label4Click();
    void Label5Click();
    // Article1Click to Article3Click.
    void articleClick(int label);
    void finishBanner(const QString& failure);
    void buildLinkMenus();
    void connectLinkMenus();
    // Item21Click ... Item501Click (menu 1) and Item1021Click ... Item1501Click (menu 2).
    void linkMenuItemClick(int menu, int item);
    // Dyn1Click ... Dyn50Click.
    void DynClick(int label);
    // Image2Click ... Image6Click: a fixed site page, not reported.
    void pictureLinkClick(int number);
    void showShowcaseLogo(int logo);
    void uploadUsageLog();
    void hideNewsLabels();
    void applyBand();
    void showLogoFile();

    void Regular1Click();
    void Playoff1Click();
    void Regular2Click();
    void Playoff2Click();
    void openDataset(int dataset, const char* openingEntry);

    // Table-window commands: each acts on the active child when its caption names a table window.
    void connectTableCommands();
    TableWindow* activeTableWindow() const;
    void Selectplayer1Click();
    void Selectteam1Click();
    void Selectyear1Click();
    void SelectLeague1Click();
    void Sort1Click();
    void Limit1Click();
    void Reset1Click();
    void Coloroptions1Click();
    void Unhide1Click();
    void Print1Click();
    void PrintPreview1Click();
    void Abort1Click();

    // Document commands: shipped files in list viewers, built-in texts in their windows.
    void connectDocumentCommands();
    void revealShippedDocuments();
    void showListFile(const QString& caption, const QString& fileName, bool complemented = false);
    void showShipped(const char* entry);
    void showHelpText(const char* entry, HelpText text);
    void addChild(QWidget* child);
    void AllLeagueTeams1Click();
    void AllDefensiveTeams1Click();
    void AllRookieTeams1Click();
    void LeagueMVPs1Click();
    void ChampionshipMVPs1Click();
    void RookieoftheYear1Click();
    void DefensivePlayer1Click();
    void N6thMan1Click();
    void AllStarGames1Click();
    void CoachoftheYear1Click();
    void CoachesWLRecord1Click();
    void Team3letterCodes1Click();
    void Vieworderform1Click();
    void Instructions1Click();
    void Seasonsummaries1Click();
    void PlayoffResults1Click();
    void Playersstatisticaldefinitions1Click();
    void Teamsstatisticaldefinitions1Click();
    void Datasources1Click();
    void Databasetidbits1Click();
    // The keys of a multiple-document program: Ctrl+F4 closes the active child, Ctrl+F6 moves on.
    void addChildWindowKeys();

    void About1Click();
    void Changeproxysettings1Click();
    void Tile1Click();
    void Cascade1Click();
    void ArrangeAll1Click();
    void Exit1Click();
    void closeChildrenLastToFirst();
    void fillWindowMenu();

    QMdiArea* m_mdiArea = nullptr;
    QMenu* m_windowMenu = nullptr;
    QList<QLabel*> m_newsLabels;
    TickerRotation m_ticker;
    bool m_bannerFailureReported = false; // one line on the error stream per run of failures
    QList<QLabel*> m_partnerImages;
    LinkMenu m_linkMenu1; // velmora1
    LinkMenu m_linkMenu2; // Item1001
    PanelLinkLabels m_panelLinks{};
    std::array<QLabel*, 4> m_sampleLogos{}; // ImageAlt1 to ImageAlt4
};

} // namespace statdesk
