#pragma once

#include "ReportDrawing.h"

class QPainter;
class QPrinter;
class QWidget;

namespace statdesk {

// A printer's pages as the report's drawing surface, through a painter begun on that printer.
class PrinterSurface final : public PrintSurface {
  public:
    PrinterSurface(QPrinter& printer, QPainter& painter) : m_printer(printer), m_painter(painter) {}
    QSize pageSize() const override;
    void drawImage(const QRect& cell, const QImage& glyph) override;
    void newPage() override;

  private:
    QPrinter& m_printer;
    QPainter& m_painter;
};

// The printer every report goes to: the system's default printer until the user picks another with
// "Printer Setup"; that choice (printer, paper, orientation) holds for the following jobs of the run.
QPrinter& reportPrinter();

// The platform's printer set-up dialog on reportPrinter().
void runPrinterSetup(QWidget* parent);

} // namespace statdesk
