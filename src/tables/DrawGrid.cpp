#include "DrawGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

#include <algorithm>

namespace statdesk {

namespace {
constexpr int kResizeGrip = 3;
constexpr int kMinimumDragWidth = 0;

// Over tens of thousands of rows a scroll step seldom moves the handle by a pixel; a bar that
// repainted for every new value would cost each step a third of a millisecond for nothing.
class StepScrollBar final : public QScrollBar {
  public:
    StepScrollBar(Qt::Orientation orientation, QWidget* parent) : QScrollBar(orientation, parent) {}

  protected:
    void sliderChange(SliderChange change) override {
        if (change == SliderValueChange && handleRect() == m_paintedHandle)
            return;
        QScrollBar::sliderChange(change);
    }
    void paintEvent(QPaintEvent* event) override {
        m_paintedHandle = handleRect();
        QScrollBar::paintEvent(event);
    }

  private:
    QRect handleRect() const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    }

    QRect m_paintedHandle;
};
} // namespace

DrawGrid::DrawGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBar(new StepScrollBar(Qt::Vertical, this));
    setHorizontalScrollBar(new StepScrollBar(Qt::Horizontal, this));
    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
}

DrawGrid::~DrawGrid() = default;

void DrawGrid::setColumnCount(int count) {
    m_widths.resize(static_cast<size_t>(std::max(0, count)), m_defaultWidth);
    m_leftColumn = std::clamp(m_leftColumn, m_fixedColumns, std::max(m_fixedColumns, columnCount() - 1));
    updateScrollBars();
    viewport()->update();
}

void DrawGrid::setRowCount(int count) {
    m_rowCount = std::max(0, count);
    m_currentRow = std::min(m_currentRow, std::max(0, m_rowCount - 1));
    m_anchorRow = std::min(m_anchorRow, std::max(0, m_rowCount - 1));
    if (hasRowSelection() && firstSelectedRow() >= m_rowCount) {
        clearRowSelection();
    } else if (hasRowSelection()) {
        m_rowAnchor = std::min(m_rowAnchor, m_rowCount - 1);
        m_rowEnd = std::min(m_rowEnd, m_rowCount - 1);
    }
    updateScrollBars();
    viewport()->update();
    if (m_topRow > maxTopRow())
        setTopLeft(maxTopRow(), m_leftColumn);
}

void DrawGrid::setFixedRows(int count) {
    m_fixedRows = std::max(0, count);
    m_topRow = std::max(m_topRow, m_fixedRows);
    m_currentRow = std::max(m_currentRow, m_fixedRows);
    m_anchorRow = m_currentRow;
    updateScrollBars();
    viewport()->update();
}

void DrawGrid::setFixedColumns(int count) {
    m_fixedColumns = std::max(0, count);
    m_leftColumn = std::max(m_leftColumn, m_fixedColumns);
    m_currentColumn = std::max(m_currentColumn, m_fixedColumns);
    m_anchorColumn = m_currentColumn;
    updateScrollBars();
    viewport()->update();
}

void DrawGrid::setDefaultRowHeight(int pixels) {
    m_rowHeight = std::max(1, pixels);
    updateScrollBars();
    viewport()->update();
}

void DrawGrid::setColumnWidth(int column, int pixels) {
    if (column < 0 || column >= columnCount())
        return;
    m_widths[static_cast<size_t>(column)] = std::max(0, pixels);
    updateScrollBars();
    viewport()->update();
}

int DrawGrid::columnWidth(int column) const {
    if (column < 0 || column >= columnCount())
        return 0;
    return m_widths[static_cast<size_t>(column)];
}

void DrawGrid::setTopRow(int row) {
    setTopLeft(row, m_leftColumn);
}

void DrawGrid::setLeftColumn(int column) {
    setTopLeft(m_topRow, column);
}

int DrawGrid::visibleRowCount() const {
    const int fit = std::max(0, (viewport()->height() - fixedHeight()) / m_rowHeight);
    return std::clamp(m_rowCount - m_topRow, 0, fit);
}

int DrawGrid::visibleColumnCount() const {
    const int room = viewport()->width() - fixedWidth();
    int used = 0;
    int count = 0;
    for (int c = m_leftColumn; c < columnCount(); ++c) {
        used += columnWidth(c);
        if (used > room)
            break;
        ++count;
    }
    return count;
}

QRect DrawGrid::selection() const {
    return QRect(QPoint(std::min(m_anchorColumn, m_currentColumn), std::min(m_anchorRow, m_currentRow)),
                 QPoint(std::max(m_anchorColumn, m_currentColumn), std::max(m_anchorRow, m_currentRow)));
}

void DrawGrid::selectRows(int first, int last) {
    first = std::max(first, m_fixedRows);
    last = std::min(last, m_rowCount - 1);
    if (first > last) {
        clearRowSelection();
        return;
    }
    m_rowAnchor = first;
    m_rowEnd = last;
    viewport()->update();
}

void DrawGrid::clearRowSelection() {
    if (!hasRowSelection())
        return;
    m_rowAnchor = m_rowEnd = -1;
    viewport()->update();
}

void DrawGrid::extendRowSelection() {
    if (!hasRowSelection())
        m_rowAnchor = m_currentRow;
    m_rowEnd = m_currentRow;
    viewport()->update();
}

// The scroll bars stay enabled while locked and ignore the user instead: greying them for the
// moment of each page request would repaint the whole grid twice a step.
void DrawGrid::setInputLocked(bool locked) {
    m_inputLocked = locked;
    if (locked) {
        m_selecting = false;
        m_resizingColumn = -1;
    }
}

int DrawGrid::fixedWidth() const {
    int width = 0;
    for (int c = 0; c < std::min(m_fixedColumns, columnCount()); ++c)
        width += columnWidth(c);
    return width;
}

int DrawGrid::fixedHeight() const {
    return std::min(m_fixedRows, m_rowCount) * m_rowHeight;
}

int DrawGrid::columnLeft(int column) const {
    int x = 0;
    const int first = column < m_fixedColumns ? 0 : m_leftColumn;
    if (column >= m_fixedColumns)
        x = fixedWidth();
    for (int c = first; c < column; ++c)
        x += columnWidth(c);
    return x;
}

int DrawGrid::maxTopRow() const {
    const int fit = std::max(1, (viewport()->height() - fixedHeight()) / m_rowHeight);
    return std::max(m_fixedRows, m_rowCount - fit);
}

int DrawGrid::maxLeftColumn() const {
    const int room = viewport()->width() - fixedWidth();
    int used = 0;
    int left = columnCount();
    while (left > m_fixedColumns && used + columnWidth(left - 1) <= room) {
        used += columnWidth(left - 1);
        --left;
    }
    return std::clamp(left, m_fixedColumns, std::max(m_fixedColumns, columnCount() - 1));
}

QRect DrawGrid::cellRect(int column, int row) const {
    if (column < 0 || column >= columnCount() || row < 0 || row >= m_rowCount)
        return {};
    if ((column >= m_fixedColumns && column < m_leftColumn) || (row >= m_fixedRows && row < m_topRow))
        return {};
    const int y = row < m_fixedRows ? row * m_rowHeight : fixedHeight() + (row - m_topRow) * m_rowHeight;
    const QRect rect(columnLeft(column), y, columnWidth(column), m_rowHeight);
    return rect.intersects(viewport()->rect()) ? rect : QRect();
}

int DrawGrid::columnAt(int x) const {
    int left = 0;
    for (int c = 0; c < std::min(m_fixedColumns, columnCount()); ++c) {
        if (x < left + columnWidth(c))
            return c;
        left += columnWidth(c);
    }
    for (int c = m_leftColumn; c < columnCount(); ++c) {
        if (x < left + columnWidth(c))
            return c;
        left += columnWidth(c);
    }
    return -1;
}

int DrawGrid::rowAt(int y) const {
    if (y < 0)
        return -1;
    const int row = y < fixedHeight() ? y / m_rowHeight : m_topRow + (y - fixedHeight()) / m_rowHeight;
    return row < m_rowCount ? row : -1;
}

// The column whose right border lies under the mouse in the header rows, or -1.
int DrawGrid::borderAt(const QPoint& position) const {
    if (position.y() >= fixedHeight())
        return -1;
    int right = 0;
    auto near = [&](int c) {
        right += columnWidth(c);
        return std::abs(position.x() - right) <= kResizeGrip;
    };
    int found = -1;
    for (int c = 0; c < std::min(m_fixedColumns, columnCount()); ++c)
        if (near(c))
            found = c;
    for (int c = m_leftColumn; c < columnCount() && right <= viewport()->width() + kResizeGrip; ++c)
        if (near(c))
            found = c;
    return found;
}

void DrawGrid::setTopLeft(int row, int column) {
    row = std::clamp(row, m_fixedRows, std::max(m_fixedRows, m_rowCount - 1));
    column = std::clamp(column, m_fixedColumns, std::max(m_fixedColumns, columnCount() - 1));
    if (row == m_topRow && column == m_leftColumn)
        return;
    m_topRow = row;
    m_leftColumn = column;
    // The callback may wait for a new page while events run; moving the bars and asking for the
    // repaint afterwards paints the step once, with the new page, instead of the old rows at their
    // new places first.
    struct RepaintAfter {
        DrawGrid* grid;
        ~RepaintAfter() {
            grid->updateScrollBars();
            grid->viewport()->update();
        }
    } repaint{this};
    if (m_topLeftChanged)
        m_topLeftChanged();
}

// The bars count rows and columns. A top row past the last full page (a grid made taller) stays
// where it is: only a new row count moves it.
void DrawGrid::updateScrollBars() {
    m_updatingScrollBars = true;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(m_fixedRows, std::max(maxTopRow(), m_topRow));
    vertical->setPageStep(std::max(1, visibleRowCount()));
    vertical->setSingleStep(1);
    vertical->setValue(m_topRow);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(m_fixedColumns, std::max(maxLeftColumn(), m_leftColumn));
    horizontal->setPageStep(std::max(1, visibleColumnCount()));
    horizontal->setSingleStep(1);
    horizontal->setValue(m_leftColumn);
    m_updatingScrollBars = false;
}

void DrawGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    const QPalette& colours = palette();
    painter.fillRect(area, colours.base());
    const QRect selected = selection();
    const int height = viewport()->height();
    const int width = viewport()->width();

    auto paintRow = [&](int row, int y) {
        auto paintCell = [&](int column, int x) {
            const int w = columnWidth(column);
            if (w <= 0)
                return;
            const QRect rect(x, y, w, m_rowHeight);
            if (!rect.intersects(area))
                return;
            const bool fixed = row < m_fixedRows || column < m_fixedColumns;
            if (isRowSelected(row))
                painter.fillRect(rect, colours.highlight());
            else if (fixed)
                painter.fillRect(rect, Qt::white);
            else if (selected.contains(column, row))
                painter.fillRect(rect, colours.highlight());
            if (m_painter) {
                painter.setClipRect(rect);
                m_painter(painter, column, row, rect);
                painter.setClipping(false);
            }
        };
        int x = 0;
        for (int c = 0; c < std::min(m_fixedColumns, columnCount()) && x < width; ++c) {
            paintCell(c, x);
            x += columnWidth(c);
        }
        for (int c = m_leftColumn; c < columnCount() && x < width; ++c) {
            paintCell(c, x);
            x += columnWidth(c);
        }
    };

    int y = 0;
    for (int r = 0; r < std::min(m_fixedRows, m_rowCount) && y < height; ++r, y += m_rowHeight)
        paintRow(r, y);
    for (int r = m_topRow; r < m_rowCount && y < height; ++r, y += m_rowHeight)
        paintRow(r, y);
}

bool DrawGrid::eventFilter(QObject* watched, QEvent* event) {
    if (!m_inputLocked || (watched != verticalScrollBar() && watched != horizontalScrollBar()))
        return QAbstractScrollArea::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
        return true;
    default:
        return QAbstractScrollArea::eventFilter(watched, event);
    }
}

void DrawGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void DrawGrid::scrollContentsBy(int, int) {
    if (m_updatingScrollBars)
        return;
    setTopLeft(verticalScrollBar()->value(), horizontalScrollBar()->value());
}

void DrawGrid::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (m_inputLocked)
        return;
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        setTopRow(m_topRow - notches * QApplication::wheelScrollLines());
}

void DrawGrid::keyPressEvent(QKeyEvent* event) {
    if (m_inputLocked) {
        event->accept();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const int page = std::max(1, visibleRowCount());
    // Up and down with Shift select whole rows; without it they drop the selection. The selection
    // stands before the move: a page fetched inside the scroll step sets the row count, which keeps
    // the selection inside the grid.
    auto moveRow = [&](int row, int top) {
        if (!extend)
            clearRowSelection();
        else if (!hasRowSelection())
            m_rowAnchor = m_rowEnd = m_currentRow;
        moveCurrent(m_currentColumn, row, false, top);
        if (extend)
            extendRowSelection();
    };
    switch (event->key()) {
    case Qt::Key_Up:
        moveRow(m_currentRow - 1, m_topRow);
        break;
    case Qt::Key_Down:
        moveRow(m_currentRow + 1, m_topRow);
        break;
    case Qt::Key_PageUp:
        moveRow(m_currentRow - page, std::max(m_fixedRows, m_topRow - page));
        break;
    case Qt::Key_PageDown:
        moveRow(m_currentRow + page, std::min(m_topRow + page, maxTopRow()));
        break;
    case Qt::Key_Escape:
        if (!hasRowSelection()) {
            QAbstractScrollArea::keyPressEvent(event);
            return;
        }
        clearRowSelection();
        break;
    case Qt::Key_Left:
        moveCurrent(m_currentColumn - 1, m_currentRow, extend, m_topRow);
        break;
    case Qt::Key_Right:
        moveCurrent(m_currentColumn + 1, m_currentRow, extend, m_topRow);
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

// Moves the current cell and scrolls from top just far enough to keep it in view.
void DrawGrid::moveCurrent(int column, int row, bool extend, int top) {
    m_currentRow = std::clamp(row, m_fixedRows, std::max(m_fixedRows, m_rowCount - 1));
    m_currentColumn = std::clamp(column, m_fixedColumns, std::max(m_fixedColumns, columnCount() - 1));
    if (!extend) {
        m_anchorRow = m_currentRow;
        m_anchorColumn = m_currentColumn;
    }
    const int fit = std::max(1, (viewport()->height() - fixedHeight()) / m_rowHeight);
    if (m_currentRow < top)
        top = m_currentRow;
    else if (m_currentRow >= top + fit)
        top = m_currentRow - fit + 1;
    int left = std::min(m_leftColumn, m_currentColumn);
    auto rightEdge = [&](int first) {
        int x = fixedWidth();
        for (int c = first; c <= m_currentColumn; ++c)
            x += columnWidth(c);
        return x;
    };
    while (left < m_currentColumn && left < maxLeftColumn() && rightEdge(left) > viewport()->width())
        ++left;
    viewport()->update();
    setTopLeft(top, left);
}

void DrawGrid::mousePressEvent(QMouseEvent* event) {
    if (m_inputLocked || event->button() != Qt::LeftButton)
        return;
    const QPoint position = event->position().toPoint();
    const int border = borderAt(position);
    if (border >= 0) {
        m_resizingColumn = border;
        m_resizeStartX = position.x();
        m_resizeStartWidth = columnWidth(border);
        return;
    }
    const int column = columnAt(position.x());
    const int row = rowAt(position.y());
    // Shift selects whole rows from the current one, from any column; a plain click drops them.
    if (event->modifiers() & Qt::ShiftModifier) {
        if (row < m_fixedRows)
            return;
        if (!hasRowSelection())
            m_rowAnchor = m_rowEnd = m_currentRow;
        m_currentRow = row;
        if (column >= m_fixedColumns)
            m_currentColumn = column;
        m_anchorColumn = m_currentColumn;
        m_anchorRow = m_currentRow;
        extendRowSelection();
        m_selecting = true;
        return;
    }
    clearRowSelection();
    if (column < m_fixedColumns || row < m_fixedRows)
        return;
    m_currentColumn = column;
    m_currentRow = row;
    m_anchorColumn = column;
    m_anchorRow = row;
    m_selecting = true;
    viewport()->update();
}

void DrawGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint position = event->position().toPoint();
    if (m_resizingColumn >= 0) {
        setColumnWidth(m_resizingColumn,
                       std::max(kMinimumDragWidth, m_resizeStartWidth + position.x() - m_resizeStartX));
        return;
    }
    if (m_selecting && !m_inputLocked) {
        const int column = columnAt(position.x());
        const int row = rowAt(position.y());
        if (column >= m_fixedColumns && row >= m_fixedRows &&
            (column != m_currentColumn || row != m_currentRow)) {
            m_currentColumn = column;
            m_currentRow = row;
            if (hasRowSelection()) {
                m_anchorColumn = column;
                m_anchorRow = row;
                extendRowSelection();
            }
            viewport()->update();
        }
        return;
    }
    viewport()->setCursor(!m_inputLocked && borderAt(position) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void DrawGrid::mouseReleaseEvent(QMouseEvent*) {
    m_resizingColumn = -1;
    m_selecting = false;
}

void DrawGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_inputLocked || event->button() != Qt::LeftButton)
        return;
    if (borderAt(event->position().toPoint()) >= 0)
        return;
    if (m_doubleClicked)
        m_doubleClicked(columnAt(event->position().toPoint().x()));
}

bool DrawGrid::viewportEvent(QEvent* event) {
    // The scroll area would route wheel events to the scroll bars; we want our own step size.
    if (event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

} // namespace statdesk
