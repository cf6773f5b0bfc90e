#include "ReportPrinter.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace statdesk {

QSize PrinterSurface::pageSize() const {
    return {m_printer.width(), m_printer.height()};
}

void PrinterSurface::drawImage(const QRect& cell, const QImage& glyph) {
    m_painter.drawImage(cell, glyph);
}

void PrinterSurface::newPage() {
    m_printer.newPage();
}

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
