#pragma once

#include <QAbstractScrollArea>
#include <QRect>

#include <algorithm>
#include <functional>
#include <vector>

class QPainter;

namespace statdesk {

// An owner-drawn grid: fixed header rows and columns that never scroll, per-column widths the user
// may drag in the header, a top row and left column that scroll, range selection and double-click.
// It paints the background of each visible cell and hands the text to the paint callback; it keeps
// no cell data of its own.
class DrawGrid final : public QAbstractScrollArea {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DrawGrid)

  public:
    // Called for every visible cell after its background is painted; the painter is clipped to it.
    using CellPainter = std::function<void(QPainter& painter, int column, int row, const QRect& rect)>;

    explicit DrawGrid(QWidget* parent = nullptr);
    ~DrawGrid() override;

    void setColumnCount(int count);
    int columnCount() const { return static_cast<int>(m_widths.size()); }
    // Moves the top row up when the grid has become too short for it, like a shortened result.
    void setRowCount(int count);
    int rowCount() const { return m_rowCount; }
    void setFixedRows(int count);
    int fixedRows() const { return m_fixedRows; }
    void setFixedColumns(int count);
    int fixedColumns() const { return m_fixedColumns; }
    void setDefaultRowHeight(int pixels);
    int defaultRowHeight() const { return m_rowHeight; }
    void setDefaultColumnWidth(int pixels) { m_defaultWidth = pixels; }
    void setColumnWidth(int column, int pixels);
    int columnWidth(int column) const;

    int topRow() const { return m_topRow; }
    void setTopRow(int row);
    int leftColumn() const { return m_leftColumn; }
    void setLeftColumn(int column);
    // Scrolling rows that fit entirely in the visible area, counted from the top row.
    int visibleRowCount() const;
    int visibleColumnCount() const;

    // The current cell and the selected range (inclusive), both in grid coordinates.
    int currentColumn() const { return m_currentColumn; }
    int currentRow() const { return m_currentRow; }
    QRect selection() const;

    // Whole rows selected with Shift from the current row, or all at once; a plain click or Escape
    // drops them. Fixed rows are never part of it.
    bool hasRowSelection() const { return m_rowAnchor >= 0; }
    // First and last selected row (inclusive); only with hasRowSelection().
    int firstSelectedRow() const { return std::min(m_rowAnchor, m_rowEnd); }
    int lastSelectedRow() const { return std::max(m_rowAnchor, m_rowEnd); }
    bool isRowSelected(int row) const {
        return hasRowSelection() && row >= firstSelectedRow() && row <= lastSelectedRow();
    }
    void selectRows(int first, int last);
    void clearRowSelection();

    // The column or row under a viewport position; -1 past the last one.
    int columnAt(int x) const;
    int rowAt(int y) const;

    // While locked the grid ignores the user's scrolling, clicking and dragging; programmatic
    // changes of the top row still go through.
    void setInputLocked(bool locked);
    bool inputLocked() const { return m_inputLocked; }

    void setCellPainter(CellPainter painter) { m_painter = std::move(painter); }
    void setTopLeftChanged(std::function<void()> handler) { m_topLeftChanged = std::move(handler); }
    // Gets the column under the pointer, -1 past the last column.
    void setDoubleClicked(std::function<void(int column)> handler) { m_doubleClicked = std::move(handler); }

    // Where a cell is drawn in the viewport; empty when it is not visible.
    QRect cellRect(int column, int row) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int fixedWidth() const;
    int fixedHeight() const;
    int columnLeft(int column) const;
    int maxTopRow() const;
    int maxLeftColumn() const;
    int borderAt(const QPoint& position) const;
    void setTopLeft(int row, int column);
    void updateScrollBars();
    void moveCurrent(int column, int row, bool extend, int top);
    // Starts a row selection at the current row unless one stands; it then ends at the current row.
    void extendRowSelection();

    std::vector<int> m_widths;
    int m_defaultWidth = 64;
    int m_rowCount = 0;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    int m_rowHeight = 15;
    int m_topRow = 0;
    int m_leftColumn = 0;
    int m_currentColumn = 0;
    int m_currentRow = 0;
    int m_anchorColumn = 0;
    int m_anchorRow = 0;
    int m_rowAnchor = -1; // -1: no row selection
    int m_rowEnd = -1;
    int m_resizingColumn = -1;
    int m_resizeStartX = 0;
    int m_resizeStartWidth = 0;
    bool m_selecting = false;
    bool m_inputLocked = false;
    bool m_updatingScrollBars = false;
    CellPainter m_painter;
    std::function<void()> m_topLeftChanged;
    std::function<void(int column)> m_doubleClicked;
};

} // namespace statdesk
