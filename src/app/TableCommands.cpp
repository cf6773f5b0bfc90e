#include "MainWindow.h"

#include "ColorOptionsDialog.h"
#include "LimitDialog.h"
#include "PreviewWindow.h"
#include "PrintOptionsDialog.h"
#include "ReportCommand.h"
#include "SelectDialog.h"
#include "SharedDialogs.h"
#include "StatdeskApplication.h"
#include "TFormSort3.h"
#include "THttpCli.h"
#include "TableWindow.h"
#include "UnhideDialog.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

namespace statdesk {

void TForm1::connectTableCommands() {
    connectHandler("Selectplayer1", &TForm1::Selectplayer1Click);
    connectHandler("Selectteam1", &TForm1::Selectteam1Click);
    connectHandler("Selectyear1", &TForm1::Selectyear1Click);
    connectHandler("SelectLeague1", &TForm1::SelectLeague1Click);
    connectHandler("Sort1", &TForm1::Sort1Click);
    connectHandler("Limit1", &TForm1::Limit1Click);
    connectHandler("Reset1", &TForm1::Reset1Click);
    connectHandler("Coloroptions1", &TForm1::Coloroptions1Click);
    connectHandler("Unhide1", &TForm1::Unhide1Click);
    connectHandler("Print1", &TForm1::Print1Click);
    connectHandler("PrintPreview1", &TForm1::PrintPreview1Click);
    connectHandler("Abort1", &TForm1::Abort1Click);
}

TableWindow* TForm1::activeTableWindow() const {
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    if (!active || !(isPlayerWindow(active->widget()) || isTeamWindow(active->widget())))
        return nullptr;
    return qobject_cast<TableWindow*>(active->widget());
}

void TForm1::Selectplayer1Click() {
    TableWindow* window = activeTableWindow();
    if (window && isPlayerWindow(window))
        sharedDialogs().BtnRightDlg1->SelectValues(*window, ListKind::Players);
}

void TForm1::Selectteam1Click() {
    if (TableWindow* window = activeTableWindow())
        sharedDialogs().BtnRightDlg1->SelectValues(*window, ListKind::Teams);
}

void TForm1::Selectyear1Click() {
    if (TableWindow* window = activeTableWindow())
        sharedDialogs().BtnRightDlg1->SelectValues(*window, ListKind::Years);
}

void TForm1::SelectLeague1Click() {
    if (TableWindow* window = activeTableWindow())
        sharedDialogs().BtnRightDlg1->SelectValues(*window, ListKind::Leagues);
}

void TForm1::Sort1Click() {
    if (TableWindow* window = activeTableWindow())
        sharedDialogs().FormSort3->SortWindow(*window);
}

void TForm1::Limit1Click() {
    if (TableWindow* window = activeTableWindow())
        sharedDialogs().BtnRightDlg->LimitWindow(*window);
}

void TForm1::Reset1Click() {
    if (TableWindow* window = activeTableWindow())
        window->Reset();
}

// Shown with any child active: a document window keeps the labels of the last table window.
void TForm1::Coloroptions1Click() {
    sharedDialogs().BtnBottomDlg->ColorOptions(activeTableWindow());
}

void TForm1::Unhide1Click() {
    if (TableWindow* window = activeTableWindow())
        sharedDialogs().Form11->UnhideColumns(*window);
}

void TForm1::Print1Click() {
    if (TableWindow* window = activeTableWindow())
        runReport(window->page(), *sharedDialogs().DualListDlg, *sharedDialogs().Form15);
}

// The hidden entry does what "&Print" does; its dialog offers the preview.
void TForm1::PrintPreview1Click() {
    Print1Click();
}

void TForm1::Abort1Click() {
    TableWindow* window = activeTableWindow();
    if (!window)
        return;
    QApplication::restoreOverrideCursor();
    window->HttpCli1().Abort();
}

void TForm1::addChildWindowKeys() {
    auto* closeChild = new QAction(this);
    closeChild->setObjectName(QStringLiteral("CloseChild"));
    closeChild->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    connect(closeChild, &QAction::triggered, m_mdiArea, &QMdiArea::closeActiveSubWindow);
    auto* nextChild = new QAction(this);
    nextChild->setObjectName(QStringLiteral("NextChild"));
    nextChild->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_F6), QKeySequence(Qt::CTRL | Qt::Key_Tab)});
    connect(nextChild, &QAction::triggered, m_mdiArea, &QMdiArea::activateNextSubWindow);
    addActions({closeChild, nextChild});
    // Some platform themes give each child's own close entry Ctrl+F4 as well; one owner only.
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [closeChild](QMdiSubWindow* child) {
        if (!child || !child->systemMenu())
            return;
        for (QAction* entry : child->systemMenu()->actions()) {
            QList<QKeySequence> keys = entry->shortcuts();
            if (keys.removeAll(closeChild->shortcut()) > 0)
                entry->setShortcuts(keys);
        }
    });
}

} // namespace statdesk
