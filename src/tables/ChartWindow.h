#pragma once

#include "ChartData.h"
#include "DatasetKind.h"

#include <QHash>
#include <QWidget>

#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QPrinter;
class QXYSeries;

namespace statdesk {

// A column of a table window's result drawn against the season: a line per player or team when
// there are few of them, a scatter of every row otherwise. Any numeric column can be chosen; the
// chart saves as PNG or SVG and prints.
class ChartWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChartWindow)

  public:
    ChartWindow(DatasetKind kind, std::vector<ChartRow> rows, int column, QWidget* parent = nullptr);
    ~ChartWindow() override;

    int column() const { return m_column; }
    void setColumn(int column);
    QChart* chart() const { return m_chart; }
    QChartView* view() const { return m_view; }
    // The tooltip at a position of the view's viewport: player or team, season and value of the
    // nearest point within a few pixels; empty when none is that near.
    QString textAt(const QPoint& position) const;

    // PNG, or SVG for a name ending in ".svg"; an empty text, or why it could not be written.
    QString saveTo(const QString& path);
    void printOn(QPrinter& printer);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void save();
    void print();
    void addSeries(QXYSeries* series, std::vector<ChartPoint> points);
    void setSeasonAxis(double first, double last);

    DatasetKind m_kind;
    Family m_family;
    std::vector<ChartRow> m_rows;
    int m_column = -1;
    QComboBox* m_columns;
    QChart* m_chart;
    QChartView* m_view;
    QHash<const QXYSeries*, std::vector<ChartPoint>> m_points;
};

} // namespace statdesk
