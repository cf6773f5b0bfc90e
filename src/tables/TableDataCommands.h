#pragma once

#include <QObject>

class QAction;
class QPoint;

namespace statdesk {

class ChartWindow;
class TableWindow;

// Getting data out of a table window through its grid's context menu and keys: copy the selected
// rows (Ctrl+C), select the whole result (Ctrl+A), export the whole result to CSV, chart a column.
class TableDataCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableDataCommands)

  public:
    // A chart draws at most this many rows.
    static constexpr int kMostChartRows = 5000;

    explicit TableDataCommands(TableWindow& window);
    ~TableDataCommands() override;

    // The selected rows, or the current row, as tab-separated text and as text/csv.
    void copyRows();
    void selectWholeResult();
    void exportCsv();
    // Opens a chart window beside the table; nullptr when refused, cancelled or failed.
    ChartWindow* chartColumn(int column);

  private:
    void showMenu(const QPoint& position);
    int chartedColumn(int column) const;

    TableWindow& m_window;
    QAction* m_copy;
    QAction* m_selectAll;
    QAction* m_export;
    QAction* m_chart;
    int m_menuColumn = -1;
};

} // namespace statdesk
