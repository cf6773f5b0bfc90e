#pragma once

#include "ReportLayout.h"

#include <QRect>
#include <QSize>

#include <vector>

class QImage;
class QPainter;

namespace statdesk {

class GlyphSet;

// Where a printed report goes: a printer's pages, or a recorder in tests.
class PrintSurface {
  public:
    virtual ~PrintSurface() = default;
    // The printable area of a page, in device pixels.
    virtual QSize pageSize() const = 0;
    // Stretches a glyph into the cell on the current page.
    virtual void drawImage(const QRect& cell, const QImage& glyph) = 0;
    virtual void newPage() = 0;
};

// The report on paper: every character a glyph stretched into a cell sized for `charactersPerLine`
// across 98% of the page; rows go on to a new page near its bottom, without headers.
void printReportLines(PrintSurface& surface, const std::vector<ReportLine>& lines, int charactersPerLine,
                      const GlyphSet& glyphs);

// The report on screen under a 132-character ruler, in the painter's font.
void previewReportLines(QPainter& painter, const std::vector<ReportLine>& lines);

} // namespace statdesk
