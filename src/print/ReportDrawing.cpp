#include "ReportDrawing.h"

#include "GlyphSet.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace statdesk {
namespace {

constexpr int kMargin = 12;
constexpr int kPageBottomReserve = 100;
constexpr int kRulerLength = 132;

bool isHeader(ReportLineKind kind) {
    return kind == ReportLineKind::Header1 || kind == ReportLineKind::Header2;
}

struct PrintGeometry {
    int usableWidth; // q
    int pageHeight;  // PH
    int cellWidth;   // cw
    int cellHeight;  // ch
};

void printLine(PrintSurface& surface, const ReportLine& line, int y, int charactersPerLine,
               const PrintGeometry& g, const GlyphSet& glyphs) {
    int x = kMargin;
    for (const ReportCellText& cell : line.cells) {
        const qsizetype length = cell.text.size();
        const qsizetype drawn =
            std::min<qsizetype>(length, isHeader(line.kind) ? charactersPerLine : cell.width);
        for (qsizetype i = 0; i < drawn; ++i) {
            // The position moves before each character, so a line starts one cell in from the margin.
            x += g.cellWidth;
            const QImage* glyph = glyphs.glyph(cell.text.at(i));
            if (glyph && x + g.cellWidth < g.usableWidth && y + g.cellHeight < g.pageHeight)
                surface.drawImage(QRect(x, y, g.cellWidth, g.cellHeight), *glyph);
        }
        if (cell.width > length)
            x += static_cast<int>(cell.width - length) * g.cellWidth;
    }
}

// The preview's own cuts: a row value too long for its column keeps w - 1 characters and a blank.
QString previewText(const ReportLine& line, const ReportCellText& cell) {
    if (cell.text.size() <= cell.width)
        return cell.text;
    switch (line.kind) {
    case ReportLineKind::Header1:
        return cell.text;
    case ReportLineKind::Header2:
        return cell.text.left(std::max(0, cell.width));
    case ReportLineKind::Row:
    case ReportLineKind::Totals:
        return cell.width < 1 ? QString() : cell.text.left(cell.width - 1) + QLatin1Char(' ');
    }
    return cell.text;
}

QString rulerDigits() {
    QString digits;
    for (int group = 1; group <= 13; ++group)
        digits += QString(9, QLatin1Char(' ')) + QString::number(group % 10);
    return digits;
}

} // namespace

void printReportLines(PrintSurface& surface, const std::vector<ReportLine>& lines, int charactersPerLine,
                      const GlyphSet& glyphs) {
    const QSize page = surface.pageSize();
    PrintGeometry g{};
    g.usableWidth = static_cast<int>(page.width() * 0.98);
    g.pageHeight = page.height();
    // The first cell of a line stays blank, so a line needs room for W + 1 cells inside q; with
    // q div W cells the last character of a full line would fall outside and be lost.
    g.cellWidth = std::max(0, g.usableWidth - kMargin - 1) / (charactersPerLine + 1);
    g.cellHeight = g.cellWidth * 90 / 65;
    int y = kMargin;
    for (size_t i = 0; i < lines.size(); ++i) {
        const ReportLine& line = lines[i];
        if (i > 0)
            y += g.cellHeight;
        // Cells taller than the bottom reserve would put a row below the page, where its glyphs are
        // skipped: such a row starts the next page instead (unless it already stands at the top).
        const bool body = line.kind == ReportLineKind::Row || line.kind == ReportLineKind::Totals;
        if (body && y + g.cellHeight >= g.pageHeight && y > kMargin + g.cellHeight) {
            surface.newPage();
            y = kMargin + g.cellHeight;
        }
        printLine(surface, line, y, charactersPerLine, g, glyphs);
        // Only a row line ends a page; the headers and the totals stay with what they follow.
        if (line.kind == ReportLineKind::Row && y > g.pageHeight - kPageBottomReserve) {
            surface.newPage();
            y = kMargin;
        }
    }
}

void previewReportLines(QPainter& painter, const std::vector<ReportLine>& lines) {
    const QFontMetrics metrics(painter.font());
    const int h = metrics.height();
    const int sp = metrics.horizontalAdvance(QLatin1Char(' '));
    const auto write = [&](int x, int y, const QString& text) {
        painter.drawText(x, y + metrics.ascent(), text);
    };
    int y = kMargin;
    write(kMargin, y, QString(kRulerLength, QLatin1Char('|')));
    y += h;
    write(kMargin, y, rulerDigits());
    y += h;
    // In a fixed-pitch font a cell's text and its padding add up to one string of the same width,
    // so a line is drawn in one call.
    const bool fixedPitch = QFontInfo(painter.font()).fixedPitch();
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            y += h;
        int x = kMargin;
        QString whole;
        for (const ReportCellText& cell : lines[i].cells) {
            const QString text = previewText(lines[i], cell);
            const qsizetype padding = std::max<qsizetype>(0, cell.width - text.size());
            if (fixedPitch) {
                whole += text + QString(padding, QLatin1Char(' '));
                continue;
            }
            write(x, y, text);
            x += metrics.horizontalAdvance(text) + static_cast<int>(padding) * sp;
        }
        if (fixedPitch)
            write(kMargin, y, whole);
    }
}

} // namespace statdesk
