// Printing against baselines run beside it: one full screen page of a player window with all 76
// columns to a PDF printer, against drawing the same glyph images into the same rectangles with a
// bare painter loop on the same kind of PDF printer; and a preview pass against drawing the same
// line texts with bare drawText calls.
#include "BenchSupport.h"
#include "DrawGrid.h"
#include "FakeSeams.h"
#include "GlyphSet.h"
#include "PreviewWindow.h"
#include "PrintColumns.h"
#include "RealDataBench.h"
#include "ReportDrawing.h"
#include "ReportPrinter.h"
#include "RowSource.h"
#include "ServiceProcess.h"
#include "TableWindow.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMdiArea>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>

using namespace statdesk;
using namespace statdesk::bench;

namespace {

// Every glyph a pass draws, with its cell, to replay without the report's own work.
class Collector final : public PrintSurface {
  public:
    explicit Collector(QSize page) : m_page(page) {}
    QSize pageSize() const override { return m_page; }
    void drawImage(const QRect& cell, const QImage& glyph) override { drawn.push_back({cell, &glyph}); }
    void newPage() override { drawn.push_back({QRect(), nullptr}); }
    std::vector<std::pair<QRect, const QImage*>> drawn;

  private:
    QSize m_page;
};

void preparePdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

} // namespace

int main(int argc, char** argv) {
    prepareEnvironment();
    QApplication app(argc, argv);
    RealDataBench bench;
    if (!bench.ready())
        return 1;
    TableWindow* window = bench.openPlayers();

    ReportSettings settings;
    for (const PrintColumn& column : printColumns(Family::Players))
        settings.columns.push_back(
            {QString::fromLatin1(column.longName), column.defaultWidth, column.nominalWidth});
    const int characters = charactersPerLine(Family::Players, settings).characters;
    const ReportRows range =
        reportRows(window->DrawGrid1()->topRow(), window->LastPageSize(), window->rows().GridLineCount() - 1);
    const auto layout = [&] {
        return reportLines(Family::Players, settings, CacheRows(window->rows()), range,
                           RowCache::TotalsRecord);
    };

    QTemporaryDir folder;
    const QString ours = folder.filePath(QStringLiteral("report.pdf"));
    const QString bare = folder.filePath(QStringLiteral("bare.pdf"));
    const GlyphSet replayGlyphs;
    QPrinter probe(QPrinter::HighResolution);
    preparePdf(probe, ours);
    Collector collector(QSize(probe.width(), probe.height()));
    printReportLines(collector, layout(), characters, replayGlyphs);

    const auto [reportNs, bareNs] = measurePair(
        [&] {
            QPrinter printer(QPrinter::HighResolution);
            preparePdf(printer, ours);
            QPainter painter(&printer);
            const GlyphSet glyphs;
            PrinterSurface surface(printer, painter);
            printReportLines(surface, layout(), characters, glyphs);
        },
        [&] {
            QPrinter printer(QPrinter::HighResolution);
            preparePdf(printer, bare);
            QPainter painter(&printer);
            for (const auto& [cell, glyph] : collector.drawn) {
                if (glyph)
                    painter.drawImage(cell, *glyph);
                else
                    printer.newPage();
            }
        },
        1);
    std::printf(
        "print one page, %zu rows x 76 columns (%d characters a line, %zu glyphs) to PDF: report %.1f ms, "
        "bare drawImage loop %.1f ms, ratio %.2fx (goal <= 1.2x)\n",
        size_t(range.last - range.first + 1), characters, collector.drawn.size(), reportNs / 1e6,
        bareNs / 1e6, reportNs / bareNs);

    // The preview pass, and the same texts at the same line positions with nothing else.
    TForm15 preview;
    const QFont font = TForm15::previewFont();
    const QFontMetrics metrics(font);
    QStringList texts;
    for (const ReportLine& line : layout()) {
        QString text;
        for (const ReportCellText& cell : line.cells)
            text += cell.text.leftJustified(cell.width, QLatin1Char(' '), true);
        texts.append(text);
    }
    QString digits;
    for (int group = 1; group <= 13; ++group)
        digits += QString(9, QLatin1Char(' ')) + QString::number(group % 10);
    QImage canvas(TForm15::kImageWidth, TForm15::kImageHeight, QImage::Format_RGB32);
    const auto [previewNs, textNs] = measurePair(
        [&] {
            preview.beginPass();
            QPainter painter(&preview.image());
            painter.setFont(font);
            previewReportLines(painter, layout());
        },
        [&] {
            canvas.fill(Qt::white);
            QPainter painter(&canvas);
            painter.setFont(font);
            int y = 12 + metrics.ascent();
            painter.drawText(12, y, QString(132, QLatin1Char('|')));
            painter.drawText(12, y += metrics.height(), digits);
            for (const QString& text : texts)
                painter.drawText(12, y += metrics.height(), text);
        },
        3);
    const double layoutNs = measure([&] { layout(); }, 3);
    std::printf("(building the lines alone: %.2f ms)\n", layoutNs / 1e6);
    std::printf(
        "preview pass: %.2f ms, bare drawText of the same lines %.2f ms, ratio %.2fx (goal <= 1.5x)\n",
        previewNs / 1e6, textNs / 1e6, previewNs / textNs);
    return 0;
}
