#include "ReportCommand.h"

#include "GlyphSet.h"
#include "PreviewWindow.h"
#include "PrintOptionsDialog.h"
#include "ReportDrawing.h"
#include "ReportPrinter.h"
#include "RowSource.h"
#include "Seams.h"
#include "TablePage.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <stdexcept>

namespace statdesk {
namespace {

ReportSettings settingsOf(const PrintOptions& options) {
    ReportSettings settings;
    for (const QString& name : options.PrintList)
        settings.columns.push_back({name, options.printWidth(name), options.nominalWidth(name)});
    settings.fitToPage = options.fitToPage();
    settings.minimumCharacters = options.minimumCharacters();
    settings.maximumCharacters = options.maximumCharacters();
    return settings;
}

std::vector<ReportLine> linesOf(const TablePage& page, const ReportSettings& settings) {
    const ReportRows range = reportRows(page.topRow, page.pageSize, page.rows.GridLineCount() - 1);
    return reportLines(page.family, settings, CacheRows(page.rows), range, RowCache::TotalsRecord);
}

// False (and the user told why) when the line width allows no report.
bool checkLineWidth(const LineWidth& width) {
    switch (width.problem) {
    case LineWidth::Problem::None:
        return true;
    case LineWidth::Problem::TooManyColumns:
        seams::presenter().showMessage(
            QStringLiteral("Error"),
            QStringLiteral("You have selected more than columns that can fit on a page.  "
                           "De-select some columns or select \"Fit to Page\"."));
        return false;
    case LineWidth::Problem::NoWidth:
        seams::presenter().showMessage(
            QStringLiteral("Error"),
            QStringLiteral("The chosen columns leave no characters to print on a line. Give the "
                           "chosen columns widths of 1 or more, or a minimum of 1 or more."));
        return false;
    }
    return false;
}

// False with a message when the machine has no printer to print on.
bool choosePrinter(QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return true;
    if (printer.printerName().isEmpty() || QPrinterInfo::printerInfo(printer.printerName()).isNull())
        printer.setPrinterName(QPrinterInfo::defaultPrinterName());
    if (printer.printerName().isEmpty() && !QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setPrinterName(QPrinterInfo::availablePrinterNames().first());
    if (!printer.printerName().isEmpty())
        return true;
    seams::presenter().showMessage(
        QStringLiteral("Error"),
        QStringLiteral("No printer is installed on this computer. Add a printer in the "
                       "system's printer settings, then print again."));
    return false;
}

GlyphSet loadGlyphs() {
    GlyphSet glyphs;
    if (!glyphs.isComplete())
        throw std::runtime_error("The character images for printing are missing from this program.");
    return glyphs;
}

// One pass to the printer; false when it went back to the dialog without printing.
bool printPass(const TablePage& page, const PrintOptions& options) {
    QPrinter& printer = reportPrinter();
    if (!choosePrinter(printer))
        return false;
    // The line width is checked before the job starts: a print system that spools the whole
    // document cannot take back a started job, and a refused pass must not print a page.
    const ReportSettings settings = settingsOf(options);
    const LineWidth width = charactersPerLine(page.family, settings);
    if (!checkLineWidth(width))
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error(QStringLiteral("The printer \"%1\" could not start the print job.")
                                     .arg(printer.printerName())
                                     .toStdString());
    const GlyphSet glyphs = loadGlyphs();
    PrinterSurface surface(printer, painter);
    printReportLines(surface, linesOf(page, settings), width.characters, glyphs);
    if (!painter.end())
        throw std::runtime_error(QStringLiteral("The printer \"%1\" could not finish the print job.")
                                     .arg(printer.printerName())
                                     .toStdString());
    return true;
}

void previewPass(const TablePage& page, const PrintOptions& options, TForm15& preview) {
    preview.beginPass();
    const ReportSettings settings = settingsOf(options);
    if (!checkLineWidth(charactersPerLine(page.family, settings)))
        return;
    {
        QPainter painter(&preview.image());
        painter.setFont(TForm15::previewFont());
        painter.setPen(Qt::black);
        previewReportLines(painter, linesOf(page, settings));
    }
    preview.showPreview();
}

} // namespace

void runReport(const TablePage& page, TDualListDlg& options, TForm15& preview) {
    options.prepare(page.family);
    for (;;) {
        const TDualListDlg::Result result = options.run();
        if (result == TDualListDlg::Result::Cancel)
            return;
        if (options.options().PrintList.isEmpty()) {
            // Either button leads back to the dialog.
            seams::presenter().askOkCancel(QStringLiteral("Error"),
                                           QStringLiteral("You haven't selected any columns to print"));
            continue;
        }
        if (result == TDualListDlg::Result::Preview) {
            previewPass(page, options.options(), preview);
            continue;
        }
        if (printPass(page, options.options()))
            return;
    }
}

} // namespace statdesk
