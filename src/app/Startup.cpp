#include "Startup.h"

#include "BrandRecord.h"
#include "BrandStartup.h"
#include "MainWindow.h"
#include "Seams.h"
#include "SharedDialogs.h"
#include "StartupError.h"
#include "StartupState.h"
#include "StatdeskApplication.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
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
    QApplication::setApplicationDisplayName(QStringLiteral("Statdesk"));

    try {
        brandRecord() = loadBrandRecordFromProgram(QCoreApplication::applicationFilePath());
    } catch (const StartupError& error) {
        return reportFatal(error.message());
    }

    TForm1 mainWindow;
    createSharedDialogs(&mainWindow);
    if (updateRequired()) {
        runHandler([] { sharedDialogs().Form12->exec(); });
        return 0;
    }
    // Proxy settings (loaded here when the brand asks for them) arrive with their dialog.
    // Without a window manager "maximised" means nothing; start at the screen's size either way.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    return QApplication::exec();
}

} // namespace statdesk
