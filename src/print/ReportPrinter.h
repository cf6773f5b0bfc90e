#pragma once

class QPrinter;
class QWidget;

namespace statdesk {

// The printer every report goes to: the system's default printer until the user picks another with
// "Printer Setup"; that choice (printer, paper, orientation) holds for the following jobs of the run.
QPrinter& reportPrinter();

// The platform's printer set-up dialog on reportPrinter().
void runPrinterSetup(QWidget* parent);

} // namespace statdesk
