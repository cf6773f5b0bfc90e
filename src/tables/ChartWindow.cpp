#include "ChartWindow.h"

#include "ColumnCatalogue.h"
#include "ResultCsv.h"
#include "RowsText.h"
#include "Seams.h"

#include <QBuffer>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace statdesk {
namespace {

// Twelve colours that stay apart on white, one per line.
constexpr QRgb kLineColours[ChartPlan::kMostLines] = {0x1f77b4, 0xd62728, 0x2ca02c, 0xff7f0e,
                                                      0x9467bd, 0x8c564b, 0xe377c2, 0x7f7f7f,
                                                      0xbcbd22, 0x17becf, 0x000080, 0x808000};

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

constexpr qreal kMarkerSize = 7;
// How near, in pixels, the pointer must come to a point to show its tooltip.
constexpr double kTooltipReach = 8;

// Labels every season while they fit, then every 2nd, 5th or 10th.
int labelStep(double span) {
    for (int step : {1, 2, 5, 10})
        if (span / step <= 16)
            return step;
    return 20;
}

} // namespace

ChartWindow::ChartWindow(DatasetKind kind, std::vector<ChartRow> rows, int column, QWidget* parent)
    : QWidget(parent), m_kind(kind), m_family(datasetFamily(kind)), m_rows(std::move(rows)),
      m_columns(new QComboBox(this)), m_chart(new QChart()), m_view(new QChartView(m_chart, this)) {
    setObjectName(QStringLiteral("ChartWindow"));
    for (int c = 0; c < columnCount(m_family); ++c)
        if (isNumericColumn(m_family, c))
            m_columns->addItem(latin1(columnLongName(m_family, c)), c);
    auto* save = new QPushButton(QStringLiteral("&Save as..."), this);
    auto* print = new QPushButton(QStringLiteral("&Print..."), this);
    auto* bar = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("&Column:"), this);
    label->setBuddy(m_columns);
    bar->addWidget(label);
    bar->addWidget(m_columns, 1);
    bar->addWidget(save);
    bar->addWidget(print);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    m_view->setRenderHint(QPainter::Antialiasing);
    // Markers of a column chosen before left traces behind with partial repaints.
    m_view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    m_view->viewport()->setMouseTracking(true);
    m_view->viewport()->installEventFilter(this);
    connect(save, &QPushButton::clicked, this, &ChartWindow::save);
    connect(print, &QPushButton::clicked, this, &ChartWindow::print);
    connect(m_columns, &QComboBox::currentIndexChanged, this,
            [this](int index) { setColumn(m_columns->itemData(index).toInt()); });
    resize(760, 480);
    setColumn(column);
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::setColumn(int column) {
    if (!isNumericColumn(m_family, column))
        return;
    if (column == m_column && !m_chart->series().isEmpty())
        return;
    m_column = column;
    {
        const QSignalBlocker quiet(m_columns);
        m_columns->setCurrentIndex(m_columns->findData(column));
    }
    m_chart->removeAllSeries();
    for (QAbstractAxis* axis : m_chart->axes())
        m_chart->removeAxis(axis);
    m_points.clear();
    const QString name = latin1(columnLongName(m_family, column));
    setWindowTitle(QStringLiteral("Chart: %1 - %2").arg(name, datasetCaption(m_kind)));
    m_chart->setTitle(name);

    const ChartPlan plan = planChart(m_rows, column);
    if (plan.lines) {
        for (size_t i = 0; i < plan.byName.size(); ++i) {
            const QColor colour(kLineColours[i % ChartPlan::kMostLines]);
            bool first = true;
            for (const std::vector<ChartPoint>& piece : plan.byName[i].pieces) {
                auto* series = new QLineSeries;
                series->setName(plan.byName[i].name);
                series->setColor(colour);
                series->setPointsVisible(true);
                series->setMarkerSize(kMarkerSize);
                addSeries(series, piece);
                // One legend entry per name, however many pieces its line has.
                if (!first)
                    for (QLegendMarker* marker : m_chart->legend()->markers(series))
                        marker->setVisible(false);
                first = false;
            }
        }
    } else {
        auto* series = new QScatterSeries;
        series->setName(QStringLiteral("%1 rows").arg(plan.scatter.size()));
        series->setMarkerSize(kMarkerSize);
        addSeries(series, plan.scatter);
    }
    m_chart->legend()->setVisible(plan.lines);

    double first = std::numeric_limits<double>::max();
    double last = std::numeric_limits<double>::lowest();
    double low = first;
    double high = last;
    for (const auto& points : std::as_const(m_points)) {
        for (const ChartPoint& point : points) {
            first = std::min(first, point.season);
            last = std::max(last, point.season);
            low = std::min(low, point.value);
            high = std::max(high, point.value);
        }
    }
    if (first > last) {
        first = last = 0;
        low = 0;
        high = 1;
    }
    setSeasonAxis(first, last);
    auto* values = new QValueAxis;
    values->setTitleText(columnTitle(m_family, column));
    const CellFormat& format = columnInfo(m_family, column).data;
    values->setLabelFormat(
        QStringLiteral("%.%1f").arg(format.kind == CellKind::Int ? 0 : std::min<int>(format.decimals, 3)));
    const double margin = high > low ? (high - low) * 0.05 : 1;
    values->setRange(std::min(0.0, low - margin), high + margin);
    values->applyNiceNumbers();
    m_chart->addAxis(values, Qt::AlignLeft);
    for (QAbstractSeries* series : m_chart->series())
        for (QAbstractAxis* axis : m_chart->axes())
            series->attachAxis(axis);
}

void ChartWindow::addSeries(QXYSeries* series, std::vector<ChartPoint> points) {
    for (const ChartPoint& point : points)
        series->append(point.season, point.value);
    m_points.insert(series, std::move(points));
    m_chart->addSeries(series);
}

void ChartWindow::setSeasonAxis(double first, double last) {
    auto* seasons = new QCategoryAxis;
    seasons->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    seasons->setTitleText(QStringLiteral("Season"));
    const int step = labelStep(last - first + 1);
    const int from = static_cast<int>(std::floor(first / step)) * step;
    for (int season = from; season <= static_cast<int>(last); season += step)
        if (season >= first)
            seasons->append(seasonLabel(season), season);
    seasons->setRange(first - 0.5, last + 0.5);
    m_chart->addAxis(seasons, Qt::AlignBottom);
}

QString ChartWindow::textAt(const QPoint& position) const {
    const QPointF pointer = m_chart->mapFromScene(m_view->mapToScene(position));
    const ChartPoint* nearest = nullptr;
    double distance = kTooltipReach;
    for (auto it = m_points.cbegin(); it != m_points.cend(); ++it) {
        auto* series = const_cast<QXYSeries*>(it.key());
        for (const ChartPoint& point : it.value()) {
            const QPointF drawn = m_chart->mapToPosition(QPointF(point.season, point.value), series);
            const double apart = std::hypot(drawn.x() - pointer.x(), drawn.y() - pointer.y());
            if (apart <= distance) {
                distance = apart;
                nearest = &point;
            }
        }
    }
    if (!nearest)
        return {};
    const ChartRow& row = m_rows[static_cast<size_t>(nearest->row)];
    const CellFormat& format = columnInfo(m_family, m_column).data;
    const int decimals = format.kind == CellKind::Int ? 0 : format.decimals;
    return QStringLiteral("%1\n%2\n%3: %4")
        .arg(row.name, seasonLabel(row.season), columnTitle(m_family, m_column),
             QString::number(nearest->value, 'f', decimals));
}

// The scene answers a tooltip request itself and would hide ours: the points' tips are given here.
bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_view->viewport() || event->type() != QEvent::ToolTip)
        return QWidget::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = textAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, m_view->viewport());
    return true;
}

QString ChartWindow::saveTo(const QString& path) {
    const QSize size = m_view->size();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QBuffer drawing;
        QSvgGenerator svg;
        svg.setOutputDevice(&drawing);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(m_chart->title());
        QPainter painter(&svg);
        m_view->render(&painter);
        painter.end();
        file.write(drawing.data());
    } else {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        m_view->render(&painter);
        painter.end();
        if (!image.save(&file, "PNG"))
            return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    }
    if (!file.commit())
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    return {};
}

void ChartWindow::printOn(QPrinter& printer) {
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    QSize size = m_view->size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(m_view->rect());
    m_view->render(&painter);
}

void ChartWindow::save() {
    const QString path = seams::fileChooser().saveFileName(
        this, QStringLiteral("PNG image (*.png);;SVG drawing (*.svg)"), QStringLiteral("png"),
        exportFileName(m_kind, seams::clock().now().date(), QStringLiteral("png")));
    if (path.isEmpty())
        return;
    const QString error = saveTo(path);
    if (!error.isEmpty())
        seams::presenter().showMessage(QStringLiteral("Error"), error);
}

void ChartWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer);
}

} // namespace statdesk
