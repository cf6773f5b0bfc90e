#include "TableDataCommands.h"

#include "ChartWindow.h"
#include "ColumnCatalogue.h"
#include "DrawGrid.h"
#include "EHttpException.h"
#include "FetchProgress.h"
#include "ResultCsv.h"
#include "RowSource.h"
#include "RowsText.h"
#include "Seams.h"
#include "TableWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>

#include <functional>
#include <stdexcept>

namespace statdesk {
namespace {

constexpr int kFirstDataRow = 2; // below the two header rows

QAction* addGridAction(DrawGrid* grid, const QString& text, const char* name, const QKeySequence& keys) {
    auto* action = new QAction(text, grid);
    action->setObjectName(QLatin1String(name));
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    grid->addAction(action);
    return action;
}

} // namespace

TableDataCommands::TableDataCommands(TableWindow& window) : QObject(&window), m_window(window) {
    DrawGrid* grid = m_window.DrawGrid1();
    m_copy = addGridAction(grid, QStringLiteral("&Copy"), "CopyRows", QKeySequence::Copy);
    m_selectAll =
        addGridAction(grid, QStringLiteral("Select &All"), "SelectWholeResult", QKeySequence::SelectAll);
    m_export = addGridAction(grid, QStringLiteral("&Export to CSV..."), "ExportCsv", {});
    m_chart = addGridAction(grid, QStringLiteral("C&hart column..."), "ChartColumn", {});
    connect(m_copy, &QAction::triggered, this, &TableDataCommands::copyRows);
    connect(m_selectAll, &QAction::triggered, this, &TableDataCommands::selectWholeResult);
    connect(m_export, &QAction::triggered, this, &TableDataCommands::exportCsv);
    connect(m_chart, &QAction::triggered, this, [this] { chartColumn(m_menuColumn); });
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this, &TableDataCommands::showMenu);
}

TableDataCommands::~TableDataCommands() = default;

void TableDataCommands::showMenu(const QPoint& position) {
    DrawGrid* grid = m_window.DrawGrid1();
    if (grid->inputLocked())
        return;
    m_menuColumn = grid->columnAt(grid->viewport()->mapFrom(grid, position).x());
    QMenu menu(grid);
    menu.addAction(m_copy);
    menu.addSeparator();
    menu.addAction(m_export);
    menu.addAction(m_chart);
    menu.exec(grid->mapToGlobal(position));
    m_menuColumn = -1;
}

void TableDataCommands::selectWholeResult() {
    const int resultRows = m_window.rows().GridLineCount() - 1;
    m_window.DrawGrid1()->selectRows(kFirstDataRow, kFirstDataRow + resultRows - 1);
}

void TableDataCommands::copyRows() {
    const DrawGrid* grid = m_window.DrawGrid1();
    if (m_window.isBusy())
        return;
    const int firstRow = grid->hasRowSelection() ? grid->firstSelectedRow() : grid->currentRow();
    const int lastRow = grid->hasRowSelection() ? grid->lastSelectedRow() : grid->currentRow();
    // Grid row g shows record g - 1; the row after the last record is the totals row.
    const int lastRecord = m_window.rows().GridLineCount() - 1;
    std::vector<int> records;
    for (int row = std::max(firstRow, kFirstDataRow); row <= lastRow; ++row) {
        if (row - 1 <= lastRecord)
            records.push_back(row - 1);
        else if (row - 1 == lastRecord + 1)
            records.push_back(RowCache::TotalsRecord);
    }
    if (records.empty())
        return;
    try {
        const int firstData = records.front() == RowCache::TotalsRecord ? 0 : records.front();
        const int lastData = std::min(lastRow - 1, lastRecord);
        if (firstData > 0 && lastData >= firstData) {
            FetchProgress progress(&m_window, QStringLiteral("Copy"), QStringLiteral("Reading"));
            if (!m_window.fetchMissingRecords(firstData, lastData, std::ref(progress)))
                return;
        }
    } catch (const EHttpException& failure) {
        seams::presenter().showError(failure.reason());
        return;
    } catch (const std::runtime_error& failure) {
        seams::presenter().showMessage(QStringLiteral("Error"), QString::fromStdString(failure.what()));
        return;
    }
    std::vector<int> columns;
    for (int column = 0; column < grid->columnCount(); ++column)
        if (grid->columnWidth(column) > 0)
            columns.push_back(column);
    const CacheRows rows(m_window.rows());
    const Family family = m_window.family();
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(rowsText(family, columns, rows, records, '\t', "\n")));
    data->setData(QStringLiteral("text/csv"), rowsText(family, columns, rows, records, ',', "\r\n"));
    QGuiApplication::clipboard()->setMimeData(data);
}

void TableDataCommands::exportCsv() {
    if (m_window.isBusy())
        return;
    const QString path = seams::fileChooser().saveFileName(
        &m_window, QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"),
        exportFileName(m_window.kind(), seams::clock().now().date(), QStringLiteral("csv")));
    if (path.isEmpty())
        return;
    TableWindow::BusyScope busy(m_window);
    FetchProgress progress(&m_window, QStringLiteral("Export to CSV"), QStringLiteral("Exporting"));
    ResultReader reader(m_window.HttpCli1(), m_window.kind(), m_window.requestState());
    const CsvExportOutcome outcome = exportResultCsv(reader, m_window.family(), path, std::ref(progress));
    if (outcome.status == CsvExportOutcome::Status::Failed)
        seams::presenter().showMessage(QStringLiteral("Error"), outcome.error);
}

// The column asked for when it holds numbers; else the current column; else the first with numbers.
int TableDataCommands::chartedColumn(int column) const {
    const Family family = m_window.family();
    if (column >= 0 && column < columnCount(family) && isNumericColumn(family, column))
        return column;
    const int current = m_window.DrawGrid1()->currentColumn();
    if (isNumericColumn(family, current))
        return current;
    for (int c = 0; c < columnCount(family); ++c)
        if (isNumericColumn(family, c))
            return c;
    return -1;
}

ChartWindow* TableDataCommands::chartColumn(int column) {
    if (m_window.isBusy())
        return nullptr;
    const QString refusal = QStringLiteral("This result has %1 rows and a chart shows at most %2. Narrow the "
                                           "selection with Select or Limit, then chart it again.");
    if (m_window.rows().reportedTotalRows() > kMostChartRows) {
        seams::presenter().showMessage(QStringLiteral("Chart column"),
                                       refusal.arg(m_window.rows().reportedTotalRows()).arg(kMostChartRows));
        return nullptr;
    }
    std::vector<ChartRow> rows;
    ResultReader reader(m_window.HttpCli1(), m_window.kind(), m_window.requestState());
    try {
        TableWindow::BusyScope busy(m_window);
        FetchProgress progress(&m_window, QStringLiteral("Chart column"), QStringLiteral("Reading"));
        const Family family = m_window.family();
        const bool finished = reader.read(
            0, kMostChartRows + 1,
            [&](long long, std::span<const std::string_view> fields) {
                rows.push_back(chartRow(family, fields));
            },
            std::ref(progress));
        if (!finished)
            return nullptr;
    } catch (const EHttpException& failure) {
        seams::presenter().showError(failure.reason());
        return nullptr;
    } catch (const std::runtime_error& failure) {
        seams::presenter().showMessage(QStringLiteral("Error"), QString::fromStdString(failure.what()));
        return nullptr;
    }
    // The result may have grown since the window's last page.
    if (reader.totalRows() > kMostChartRows) {
        seams::presenter().showMessage(QStringLiteral("Chart column"),
                                       refusal.arg(reader.totalRows()).arg(kMostChartRows));
        return nullptr;
    }
    auto* chart = new ChartWindow(m_window.kind(), std::move(rows), chartedColumn(column));
    auto* frame = qobject_cast<QMdiSubWindow*>(m_window.parentWidget());
    if (frame && frame->mdiArea()) {
        QMdiSubWindow* chartFrame = frame->mdiArea()->addSubWindow(chart);
        chartFrame->resize(chart->size());
        chartFrame->show();
    } else {
        chart->setParent(&m_window, Qt::Window);
        chart->setAttribute(Qt::WA_DeleteOnClose);
        chart->show();
    }
    return chart;
}

} // namespace statdesk
