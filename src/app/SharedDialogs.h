#pragma once

#include <QDialog>
#include <QPointer>

namespace statdesk {

class TAboutBox;
class TBtnBottomDlg;
class TBtnRightDlg;
class TBtnRightDlg1;
class TBtnRightDlg2;
class TDualListDlg;
class TForm11;
class TForm12;
class TForm14;
class TForm15;
class TForm17;
class TFormSort3;
class THttpCli;

// Dialogs created once at start-up and reused by every part. Those whose features arrive later
// start as windows with their name and caption; the table dialogs live with the table windows.
struct SharedDialogs {
    QPointer<TBtnRightDlg1> BtnRightDlg1;
    QPointer<TBtnRightDlg> BtnRightDlg;
    QPointer<TAboutBox> AboutBox;
    QPointer<TBtnRightDlg2> BtnRightDlg2;
    QPointer<TBtnBottomDlg> BtnBottomDlg;
    QPointer<TFormSort3> FormSort3;
    QPointer<TForm12> Form12;
    QPointer<TForm15> Form15;
    QPointer<TForm14> Form14;
    QPointer<TDualListDlg> DualListDlg;
    QPointer<TForm17> Form17;
    QPointer<TForm11> Form11;
};

// The one process-wide reference to each shared dialog.
SharedDialogs& sharedDialogs();

// The client that usage events go through: the sort options window's; none before it exists.
THttpCli* usageEventClient();

// Creates the shared dialogs in their fixed order, owned by the main window.
void createSharedDialogs(QWidget* mainWindow);

} // namespace statdesk
