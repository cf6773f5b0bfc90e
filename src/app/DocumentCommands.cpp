#include "MainWindow.h"

#include "DocumentWindows.h"
#include "HelpTexts.h"
#include "SharedDialogs.h"
#include "StatdeskApplication.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <algorithm>

namespace statdesk {
namespace {

struct ShippedList {
    const char* entry;
    const char* caption;
    const char* file;
};

// The award lists, the order form and the instructions file, each in a list viewer.
constexpr ShippedList kShippedLists[] = {
    {"AllLeagueTeams1", "All League Teams", "allpro.awd"},
    {"AllDefensiveTeams1", "All Defensive Teams", "alldef.awd"},
    {"AllRookieTeams1", "All Rookie Teams", "allrooky.awd"},
    {"LeagueMVPs1", "League MVP's", "mvp.awd"},
    {"ChampionshipMVPs1", "Championship MVP's", "mvpch.awd"},
    {"RookieoftheYear1", "Rookie of the Year", "rkofyr.awd"},
    {"DefensivePlayer1", "Defensive Players", "defplyr.awd"},
    {"N6thMan1", "Sixth Man of the Year", "sixth.awd"},
    {"AllStarGames1", "All Star Games", "allstar.awd"},
    {"CoachoftheYear1", "Coach of the Year", "coachyr.awd"},
    {"CoachesWLRecord1", "Coaches W-L Records", "coachrc.awd"},
    {"Team3letterCodes1", "Teams", "teams.awd"},
    {"Vieworderform1", "Order Form", "ORDERFRM.DOC"},
    {"Instructions1", "Statdesk Instructions", "INSTRUCT.TXT"},
};

// The working folder's file of this name, whatever the letter case of the name on disk: the
// choosers offer "8990" for "8990.SUM" and open "8990.sum".
QString fileIgnoringCase(const QString& name) {
    if (QFileInfo::exists(name))
        return name;
    for (const QString& entry : QDir::current().entryList(QDir::Files))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return name;
}

QStringList filesMatching(const char* pattern) {
    return QDir::current().entryList({QString::fromLatin1(pattern)}, QDir::Files, QDir::Name);
}

} // namespace

void TForm1::connectDocumentCommands() {
    connectHandler("AllLeagueTeams1", &TForm1::AllLeagueTeams1Click);
    connectHandler("AllDefensiveTeams1", &TForm1::AllDefensiveTeams1Click);
    connectHandler("AllRookieTeams1", &TForm1::AllRookieTeams1Click);
    connectHandler("LeagueMVPs1", &TForm1::LeagueMVPs1Click);
    connectHandler("ChampionshipMVPs1", &TForm1::ChampionshipMVPs1Click);
    connectHandler("RookieoftheYear1", &TForm1::RookieoftheYear1Click);
    connectHandler("DefensivePlayer1", &TForm1::DefensivePlayer1Click);
    connectHandler("N6thMan1", &TForm1::N6thMan1Click);
    connectHandler("AllStarGames1", &TForm1::AllStarGames1Click);
    connectHandler("CoachoftheYear1", &TForm1::CoachoftheYear1Click);
    connectHandler("CoachesWLRecord1", &TForm1::CoachesWLRecord1Click);
    connectHandler("Team3letterCodes1", &TForm1::Team3letterCodes1Click);
    connectHandler("Vieworderform1", &TForm1::Vieworderform1Click);
    connectHandler("Instructions1", &TForm1::Instructions1Click);
    connectHandler("Seasonsummaries1", &TForm1::Seasonsummaries1Click);
    connectHandler("PlayoffResults1", &TForm1::PlayoffResults1Click);
    connectHandler("Playersstatisticaldefinitions1", &TForm1::Playersstatisticaldefinitions1Click);
    connectHandler("Teamsstatisticaldefinitions1", &TForm1::Teamsstatisticaldefinitions1Click);
    connectHandler("Datasources1", &TForm1::Datasources1Click);
    connectHandler("Databasetidbits1", &TForm1::Databasetidbits1Click);
}

// A copy without the shipped files keeps their entries hidden; this one shows each entry whose
// file (or, for summaries and playoff results, a file of the pattern) is in the working folder.
void TForm1::revealShippedDocuments() {
    // One look at the folder serves every entry.
    const QStringList files = QDir::current().entryList(QDir::Files);
    const auto anyEndingIn = [&files](QLatin1String suffix) {
        return std::any_of(files.begin(), files.end(), [suffix](const QString& file) {
            return file.endsWith(suffix, Qt::CaseInsensitive);
        });
    };
    bool anyAward = false;
    for (const ShippedList& list : kShippedLists) {
        const QString file = QString::fromLatin1(list.file);
        const bool present = files.contains(file, Qt::CaseInsensitive);
        action(list.entry)->setVisible(present);
        if (present && file.endsWith(QLatin1String(".awd")))
            anyAward = true;
    }
    action("Awards1")->setVisible(anyAward);
    action("Seasonsummaries1")->setVisible(anyEndingIn(QLatin1String(".SUM")));
    action("PlayoffResults1")->setVisible(anyEndingIn(QLatin1String(".PL1")));
}

void TForm1::addChild(QWidget* child) {
    m_mdiArea->addSubWindow(child)->show();
}

// The viewer opens first, so that a file that is missing leaves it open with its caption.
void TForm1::showListFile(const QString& caption, const QString& fileName, bool complemented) {
    auto* viewer = new TForm20;
    viewer->setWindowTitle(caption);
    addChild(viewer);
    viewer->showFile(fileIgnoringCase(fileName), complemented);
}

void TForm1::showShipped(const char* entry) {
    for (const ShippedList& list : kShippedLists)
        if (qstrcmp(list.entry, entry) == 0)
            showListFile(QString::fromLatin1(list.caption), QString::fromLatin1(list.file));
}

void TForm1::AllLeagueTeams1Click() {
    showShipped("AllLeagueTeams1");
}
void TForm1::AllDefensiveTeams1Click() {
    showShipped("AllDefensiveTeams1");
}
void TForm1::AllRookieTeams1Click() {
    showShipped("AllRookieTeams1");
}
void TForm1::LeagueMVPs1Click() {
    showShipped("LeagueMVPs1");
}
void TForm1::ChampionshipMVPs1Click() {
    showShipped("ChampionshipMVPs1");
}
void TForm1::RookieoftheYear1Click() {
    showShipped("RookieoftheYear1");
}
void TForm1::DefensivePlayer1Click() {
    showShipped("DefensivePlayer1");
}
void TForm1::N6thMan1Click() {
    showShipped("N6thMan1");
}
void TForm1::AllStarGames1Click() {
    showShipped("AllStarGames1");
}
void TForm1::CoachoftheYear1Click() {
    showShipped("CoachoftheYear1");
}
void TForm1::CoachesWLRecord1Click() {
    showShipped("CoachesWLRecord1");
}
void TForm1::Team3letterCodes1Click() {
    showShipped("Team3letterCodes1");
}
void TForm1::Vieworderform1Click() {
    showShipped("Vieworderform1");
}
void TForm1::Instructions1Click() {
    showShipped("Instructions1");
}

void TForm1::Seasonsummaries1Click() {
    QStringList seasons;
    for (const QString& name : filesMatching("*.SUM"))
        seasons.append(name.chopped(4));
    // With no file the list holds one empty entry, which then is reported as not found.
    if (seasons.isEmpty())
        seasons.append(QString());
    const std::optional<QString> season =
        sharedDialogs().BtnRightDlg2->choose(QStringLiteral("Select Season"), seasons);
    if (!season)
        return;
    showListFile(QStringLiteral("Season Summary - ") + *season + QStringLiteral(".sum"),
                 *season + QStringLiteral(".sum"));
}

// Characters 1 to 4 of a playoff file's name are the season, 5 to 7 the league.
void TForm1::PlayoffResults1Click() {
    const QStringList files = filesMatching("*.PL1");
    QStringList leagues;
    for (const QString& name : files)
        if (!leagues.contains(name.mid(4, 3)))
            leagues.append(name.mid(4, 3));
    if (leagues.isEmpty())
        leagues.append(QString());
    TBtnRightDlg2& chooser = *sharedDialogs().BtnRightDlg2;
    const std::optional<QString> chosenLeague = chooser.choose(QStringLiteral("Select League"), leagues);
    if (!chosenLeague)
        return;
    const QString league = chosenLeague->left(10);
    QStringList seasons;
    for (const QString& name : files)
        if (name.mid(4, 3) == league)
            seasons.append(name.left(4));
    if (seasons.isEmpty())
        seasons.append(QString());
    const std::optional<QString> season = chooser.choose(QStringLiteral("Select Year"), seasons);
    if (!season)
        return;
    const QString name = *season + league + QStringLiteral(".pl1");
    showListFile(QStringLiteral("Playoff Results - ") + name, name, true);
}

void TForm1::showHelpText(const char* entry, HelpText text) {
    auto* window = new TForm4(action(entry));
    window->setText(helpCaption(text), helpTextLines(text));
    addChild(window);
}

void TForm1::Playersstatisticaldefinitions1Click() {
    showHelpText("Playersstatisticaldefinitions1", HelpText::PlayerDefinitions);
}

void TForm1::Teamsstatisticaldefinitions1Click() {
    showHelpText("Teamsstatisticaldefinitions1", HelpText::TeamDefinitions);
}

void TForm1::Datasources1Click() {
    showHelpText("Datasources1", HelpText::DataSources);
}

void TForm1::Databasetidbits1Click() {
    auto* window = new TForm16;
    m_mdiArea->addSubWindow(window)->showMaximized();
}

} // namespace statdesk
