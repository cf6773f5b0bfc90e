#include "DrawGrid.h"

#include <QPainter>
#include <QScrollBar>
#include <QSet>
#include <QTest>

using namespace statdesk;

namespace {

constexpr int kRowHeight = 15;
constexpr int kFixedRows = 2;

// A grid of 40 columns of 50 pixels whose viewport is exactly width x height pixels.
void prepare(DrawGrid& grid, int rows, int viewportWidth, int viewportHeight) {
    grid.setFrameShape(QFrame::NoFrame);
    grid.setFixedRows(kFixedRows);
    grid.setColumnCount(40);
    grid.setFixedColumns(3);
    grid.setDefaultRowHeight(kRowHeight);
    for (int c = 0; c < 40; ++c)
        grid.setColumnWidth(c, 50);
    grid.setRowCount(rows);
    grid.resize(400, 400);
    grid.show();
    grid.resize(viewportWidth + grid.width() - grid.viewport()->width(),
                viewportHeight + grid.height() - grid.viewport()->height());
    QCOMPARE(grid.viewport()->height(), viewportHeight);
}

} // namespace

class TestDrawGrid : public QObject {
    Q_OBJECT

  private slots:
    void visibleRowsCountOnlyWholeRows_data();
    void visibleRowsCountOnlyWholeRows();
    void topLeftChangedFollowsScrollingNotResizing();
    void shorterGridMovesTopRowUp();
    void lockedGridIgnoresUserScrolling();
    void scrollBarRepaintsWhenItsHandleMoves();
    void draggingAHeaderBorderSetsTheWidth();
    void paintsOnlyVisibleCells();
    void selectsARangeAndReportsDoubleClicks();
    void selectsWholeRows_data();
    void selectsWholeRows();
    void paintsSelectedRowsInTheHighlight();
};

void TestDrawGrid::visibleRowsCountOnlyWholeRows_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("viewportHeight");
    QTest::addColumn<int>("topRow");
    QTest::addColumn<int>("expected");
    // Two header rows take 30 pixels; each data row 15.
    QTest::newRow("exact fit") << 250 << 330 << 2 << 20;
    QTest::newRow("one pixel short") << 250 << 329 << 2 << 19;
    QTest::newRow("partial row not counted") << 250 << 344 << 2 << 20;
    QTest::newRow("short result") << 12 << 330 << 2 << 10;
    QTest::newRow("scrolled to the end") << 100 << 330 << 80 << 20;
    QTest::newRow("headers only") << 2 << 330 << 2 << 0;
}

void TestDrawGrid::visibleRowsCountOnlyWholeRows() {
    QFETCH(int, rows);
    QFETCH(int, viewportHeight);
    QFETCH(int, topRow);
    QFETCH(int, expected);
    DrawGrid grid;
    prepare(grid, rows, 500, viewportHeight);
    grid.setTopRow(topRow);
    QCOMPARE(grid.topRow(), topRow);
    QCOMPARE(grid.visibleRowCount(), expected);
}

void TestDrawGrid::topLeftChangedFollowsScrollingNotResizing() {
    DrawGrid grid;
    prepare(grid, 250, 500, 330);
    QList<QPair<int, int>> calls;
    grid.setTopLeftChanged([&] { calls.append({grid.topRow(), grid.leftColumn()}); });

    grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(calls, (QList<QPair<int, int>>{{3, 3}}));

    grid.horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.last(), qMakePair(3, 4));

    QTest::keyClick(&grid, Qt::Key_PageDown);
    QCOMPARE(calls.size(), 3);
    QVERIFY(calls.last().first > 3);

    // Growing or shrinking the grid changes what is visible, never the top row.
    const int before = static_cast<int>(calls.size());
    grid.resize(grid.width(), grid.height() + 200);
    grid.resize(grid.width(), grid.height() - 250);
    QCOMPARE(calls.size(), before);

    // Setting the same top row again is no change.
    grid.setTopRow(grid.topRow());
    QCOMPARE(calls.size(), before);
}

void TestDrawGrid::shorterGridMovesTopRowUp() {
    DrawGrid grid;
    prepare(grid, 250, 500, 330);
    grid.setTopRow(200);
    int calls = 0;
    int topSeen = 0;
    grid.setTopLeftChanged([&] {
        ++calls;
        topSeen = grid.topRow();
    });
    grid.setRowCount(260);
    QCOMPARE(calls, 0);
    // 40 rows with 20 visible: the last full page starts at row 20.
    grid.setRowCount(40);
    QCOMPARE(calls, 1);
    QCOMPARE(topSeen, 20);
    QCOMPARE(grid.visibleRowCount(), 20);
    grid.setRowCount(3);
    QCOMPARE(grid.topRow(), 2);
    QCOMPARE(grid.visibleRowCount(), 1);
}

void TestDrawGrid::lockedGridIgnoresUserScrolling() {
    DrawGrid grid;
    prepare(grid, 250, 500, 330);
    int calls = 0;
    grid.setTopLeftChanged([&] { ++calls; });
    grid.setInputLocked(true);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    QWheelEvent wheel(QPointF(50, 50), grid.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
    // The bars look the same and ignore the user too: a click below the handle pages nowhere.
    QScrollBar* bar = grid.verticalScrollBar();
    QVERIFY(bar->isEnabled());
    const QPoint belowHandle(bar->width() / 2, bar->height() - bar->width() - 4);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, belowHandle);
    QCOMPARE(calls, 0);
    QCOMPARE(grid.topRow(), 2);
    // The window itself may still move the grid, as a shorter result does.
    grid.setTopRow(10);
    QCOMPARE(calls, 1);

    grid.setInputLocked(false);
    QApplication::sendEvent(grid.viewport(), &wheel);
    QCOMPARE(calls, 2);
    QVERIFY(grid.topRow() > 10);
    const int top = grid.topRow();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, belowHandle);
    QCOMPARE(calls, 3);
    QVERIFY(grid.topRow() > top);
}

// A step too small to move the handle by a pixel leaves the bar alone; any real move repaints it.
void TestDrawGrid::scrollBarRepaintsWhenItsHandleMoves() {
    struct PaintCount : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } count;
    DrawGrid grid;
    prepare(grid, 100000, 500, 330);
    QTest::qWait(20);
    grid.verticalScrollBar()->installEventFilter(&count);
    grid.setTopRow(grid.topRow() + 1);
    QApplication::processEvents();
    QCOMPARE(count.paints, 0);
    grid.setTopRow(50000);
    QApplication::processEvents();
    QCOMPARE(count.paints, 1);

    // Over few rows every step moves the handle.
    grid.setRowCount(60);
    QApplication::processEvents();
    grid.setTopRow(2);
    QApplication::processEvents();
    count.paints = 0;
    for (int step = 1; step <= 3; ++step) {
        grid.setTopRow(2 + step);
        QApplication::processEvents();
        QCOMPARE(count.paints, step);
    }
}

void TestDrawGrid::draggingAHeaderBorderSetsTheWidth() {
    DrawGrid grid;
    prepare(grid, 250, 500, 330);
    grid.setLeftColumn(5);
    // The border between fixed columns 0 and 1, then the right border of scrolled column 5.
    QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 5));
    QTest::mouseMove(grid.viewport(), QPoint(80, 5));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(80, 5));
    QCOMPARE(grid.columnWidth(0), 80);
    QCOMPARE(grid.columnWidth(1), 50);

    const int border = 80 + 50 + 50 + 50; // three fixed columns, then column 5
    QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border + 1, 20));
    QTest::mouseMove(grid.viewport(), QPoint(border - 31, 20));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border - 31, 20));
    QCOMPARE(grid.columnWidth(5), 18);

    // A border in the data rows is no handle.
    QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border - 32, 100));
    QTest::mouseMove(grid.viewport(), QPoint(border + 40, 100));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border + 40, 100));
    QCOMPARE(grid.columnWidth(5), 18);
}

void TestDrawGrid::paintsOnlyVisibleCells() {
    DrawGrid grid;
    prepare(grid, 250, 500, 336); // 20 whole rows and part of one more
    grid.setColumnWidth(7, 0);    // a hidden column is never painted
    grid.setTopRow(40);
    grid.setLeftColumn(6);
    QSet<QPair<int, int>> painted;
    int duplicates = 0;
    grid.setCellPainter([&](QPainter& painter, int column, int row, const QRect& rect) {
        if (painted.contains({column, row}))
            ++duplicates;
        painted.insert({column, row});
        QCOMPARE(painter.clipBoundingRect().toRect(), rect);
        QCOMPARE(rect, grid.cellRect(column, row));
    });
    grid.grab();

    QCOMPARE(duplicates, 0);
    // Columns: 3 fixed (150 px), then 6, 8, 9, 10, 11, 12, 13 reach into the 500 pixels.
    const QList<int> columns{0, 1, 2, 6, 8, 9, 10, 11, 12, 13};
    // Rows: the two headers, 40..59 whole, 60 in part.
    QList<int> rows{0, 1};
    for (int r = 40; r <= 60; ++r)
        rows.append(r);
    QSet<QPair<int, int>> expected;
    for (int r : rows)
        for (int c : columns)
            expected.insert({c, r});
    QCOMPARE(painted, expected);
}

void TestDrawGrid::selectsARangeAndReportsDoubleClicks() {
    DrawGrid grid;
    prepare(grid, 250, 500, 330);
    int doubleClicks = 0;
    int doubleClickedColumn = -2;
    grid.setDoubleClicked([&](int column) {
        ++doubleClicks;
        doubleClickedColumn = column;
    });
    // Cell (4, 3) is at x 200..250, y 45..60; cell (6, 5) at x 300..350, y 75..90.
    QTest::mousePress(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(210, 50));
    QTest::mouseMove(grid.viewport(), QPoint(310, 80));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(310, 80));
    QCOMPARE(grid.selection(), QRect(QPoint(4, 3), QPoint(6, 5)));
    QCOMPARE(grid.currentColumn(), 6);

    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(360, 80));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(360, 80));
    QCOMPARE(doubleClicks, 1);
    QCOMPARE(doubleClickedColumn, 7);
    QCOMPARE(grid.currentColumn(), 7);
}

// Steps: "click R" and "shift-click R" on data row R in column 4 ("shift-click R fixed" in column 1),
// "shift-down", "shift-up", "shift-pgdn", "down", "escape".
void TestDrawGrid::selectsWholeRows_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("first"); // -1: no row selection
    QTest::addColumn<int>("last");
    QTest::newRow("shift-click extends from the current row")
        << QStringList{"click 3", "shift-click 7"} << 3 << 7;
    QTest::newRow("shift-click upwards") << QStringList{"click 9", "shift-click 4"} << 4 << 9;
    QTest::newRow("shift-click again moves the end")
        << QStringList{"click 5", "shift-click 9", "shift-click 3"} << 3 << 5;
    QTest::newRow("shift-click in a fixed column") << QStringList{"click 3", "shift-click 6 fixed"} << 3 << 6;
    QTest::newRow("shift-down twice") << QStringList{"click 5", "shift-down", "shift-down"} << 5 << 7;
    QTest::newRow("shift-up turns back")
        << QStringList{"click 5", "shift-down", "shift-down", "shift-up"} << 5 << 6;
    QTest::newRow("shift-page-down takes a page") << QStringList{"click 2", "shift-pgdn"} << 2 << 22;
    QTest::newRow("a plain click drops it")
        << QStringList{"click 3", "shift-click 7", "click 10"} << -1 << -1;
    QTest::newRow("escape drops it") << QStringList{"click 3", "shift-down", "escape"} << -1 << -1;
    QTest::newRow("a plain arrow drops it") << QStringList{"click 3", "shift-down", "down"} << -1 << -1;
    QTest::newRow("a plain click selects no rows") << QStringList{"click 3"} << -1 << -1;
}

void TestDrawGrid::selectsWholeRows() {
    QFETCH(QStringList, steps);
    QFETCH(int, first);
    QFETCH(int, last);
    DrawGrid grid;
    prepare(grid, 250, 500, 330);
    auto rowY = [&](int row) { return kFixedRows * kRowHeight + (row - grid.topRow()) * kRowHeight + 5; };
    for (const QString& step : steps) {
        const QStringList words = step.split(QLatin1Char(' '));
        const int x = words.size() > 2 ? 60 : 210;
        if (words[0] == QLatin1String("click"))
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                              QPoint(x, rowY(words[1].toInt())));
        else if (words[0] == QLatin1String("shift-click"))
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::ShiftModifier,
                              QPoint(x, rowY(words[1].toInt())));
        else if (words[0] == QLatin1String("shift-down"))
            QTest::keyClick(&grid, Qt::Key_Down, Qt::ShiftModifier);
        else if (words[0] == QLatin1String("shift-up"))
            QTest::keyClick(&grid, Qt::Key_Up, Qt::ShiftModifier);
        else if (words[0] == QLatin1String("shift-pgdn"))
            QTest::keyClick(&grid, Qt::Key_PageDown, Qt::ShiftModifier);
        else if (words[0] == QLatin1String("down"))
            QTest::keyClick(&grid, Qt::Key_Down);
        else if (words[0] == QLatin1String("escape"))
            QTest::keyClick(&grid, Qt::Key_Escape);
        else
            QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
    }
    QCOMPARE(grid.hasRowSelection(), first >= 0);
    if (first >= 0) {
        QCOMPARE(grid.firstSelectedRow(), first);
        QCOMPARE(grid.lastSelectedRow(), last);
        for (int row = 0; row < 30; ++row)
            QCOMPARE(grid.isRowSelected(row), row >= first && row <= last);
    }
}

void TestDrawGrid::paintsSelectedRowsInTheHighlight() {
    DrawGrid grid;
    prepare(grid, 250, 500, 330);
    grid.selectRows(0, 4); // the header rows never take part
    QCOMPARE(grid.firstSelectedRow(), kFixedRows);
    const QImage image = grid.viewport()->grab().toImage();
    const QColor highlight = grid.palette().color(QPalette::Highlight);
    QVERIFY(highlight != QColor(Qt::white));
    // A fixed cell and a scrolling cell of a selected row; the same of the row below; a header cell.
    QCOMPARE(image.pixelColor(5, 2 * kRowHeight + 3), highlight);
    QCOMPARE(image.pixelColor(300, 4 * kRowHeight + 3), highlight);
    QCOMPARE(image.pixelColor(5, 5 * kRowHeight + 3), QColor(Qt::white));
    QVERIFY(image.pixelColor(300, 5 * kRowHeight + 3) != highlight);
    QCOMPARE(image.pixelColor(5, 3), QColor(Qt::white));
}

QTEST_MAIN(TestDrawGrid)
#include "tst_drawgrid.moc"
