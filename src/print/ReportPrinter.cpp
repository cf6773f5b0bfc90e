#include "ReportPrinter.h"

#include <QPrintDialog>
#include <QPrinter>

namespace statdesk {

QPrinter& reportPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

void runPrinterSetup(QWidget* parent) {
    QPrintDialog dialog(&reportPrinter(), parent);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.exec();
}

} // namespace statdesk
