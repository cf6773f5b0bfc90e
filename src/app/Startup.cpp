#include "Startup.h"

#include "BrandRecord.h"
#include "BrandStartup.h"
#include "MainWindow.h"
#include "ProxyDialog.h"
#include "Seams.h"
#include "SharedDialogs.h"
#include "StartupError.h"
#include "StartupState.h"
#include "StatdeskApplication.h"
#include "UpdateNotice.h"
#include "UserWorkingFolder.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTextStream>

namespace statdesk {
namespace {

// Fatal errors before the main window exists go to a message box and to standard error.
int reportFatal(const QString& message) {
    QTextStream(stderr) << "statdesk: " << message << Qt::endl;
    QMessageBox::critical(nullptr, QStringLiteral("Statdesk"), message);
    return 1;
}

} // namespace

int runStatdesk(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Statdesk"));

    try {
        enterUserWorkingFolder(QCoreApplication::applicationDirPath(), installedLayout(),
                               QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        brandRecord() = loadBrandRecordFromProgram(QCoreApplication::applicationFilePath());
    } catch (const StartupError& error) {
        return reportFatal(error.message());
    }

    TForm1 mainWindow;
    createSharedDialogs(&mainWindow);
    const bool outOfDate = updateRequired();
    if (outOfDate)
        runHandler([] { sharedDialogs().Form12->exec(); });
    if (brandRecord().UseProxyFile) {
        try {
            loadProxySettingsAtStartup(*sharedDialogs().Form14, outOfDate);
        } catch (const std::exception& error) {
            return reportFatal(QString::fromUtf8(error.what()));
        }
        // The set-up's own requests went out directly; the main window's later ones take the proxy.
        mainWindow.applyProxySettings();
    }
    if (outOfDate)
        return 0;
    // Without a window manager "maximised" means nothing; start at the screen's size either way.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    return QApplication::exec();
}

} // namespace statdesk
