#include "SharedDialogs.h"

#include "AboutBox.h"
#include "BrandRecord.h"
#include "ColorOptionsDialog.h"
#include "DocumentWindows.h"
#include "LimitDialog.h"
#include "PreviewWindow.h"
#include "PrintOptionsDialog.h"
#include "ProxyDialog.h"
#include "SelectDialog.h"
#include "TFormSort3.h"
#include "UpdateNotice.h"

#include "UnhideDialog.h"
#include "WelcomeBox.h"
#include <QLabel>

namespace statdesk {

SharedDialogs& sharedDialogs() {
    static SharedDialogs dialogs;
    return dialogs;
}

THttpCli* usageEventClient() {
    return sharedDialogs().FormSort3 ? &sharedDialogs().FormSort3->HttpCli6() : nullptr;
}

void createSharedDialogs(QWidget* mainWindow) {
    SharedDialogs& d = sharedDialogs();
    const BrandRecord& brand = brandRecord();
    d.BtnRightDlg1 = new TBtnRightDlg1(mainWindow);
    d.BtnRightDlg = new TBtnRightDlg(mainWindow);
    d.AboutBox = new TAboutBox(mainWindow);
    d.AboutBox->Label10->setText(QStringLiteral("Version # ") + brand.VersionText);
    d.BtnRightDlg2 = new TBtnRightDlg2(mainWindow);
    d.BtnBottomDlg = new TBtnBottomDlg(mainWindow);
    d.FormSort3 = new TFormSort3(mainWindow);
    d.Form12 = new TForm12(mainWindow);
    d.Form15 = new TForm15(mainWindow);
    d.Form14 = new TForm14(mainWindow);
    d.DualListDlg = new TDualListDlg(mainWindow);
    d.Form17 = new TForm17(mainWindow);
    d.Form12->Label3->setText(brand.UpdateAddress);
    d.Form11 = new TForm11(mainWindow);
}

} // namespace statdesk
