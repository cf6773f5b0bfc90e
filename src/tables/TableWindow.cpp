#include "TableWindow.h"

#include "BannerSlots.h"
#include "BusyAnimation.h"
#include "CellFormats.h"
#include "ColumnCatalogue.h"
#include "DrawGrid.h"
#include "EHttpException.h"
#include "ResultReader.h"
#include "RowBand.h"
#include "RowSource.h"
#include "Seams.h"
#include "StatsQueryClient.h"
#include "TFormSort3.h"
#include "THttpCli.h"
#include "TableDataCommands.h"
#include "UsageEvent.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <stdexcept>

namespace statdesk {

namespace {

constexpr int kFixedHeaderRows = 2;
constexpr int kRowHeight = 15;

// When a window of the family was last created; the IN event reports the time since.
std::array<QDateTime, 2> g_familyStart;

// The table window that is the active child now, if any.
TableWindow* g_activeTableWindow = nullptr;

QDateTime& familyStart(Family family) {
    return g_familyStart[family == Family::Players ? 0 : 1];
}

int fixedColumnsOf(Family family) {
    return family == Family::Players ? 3 : 2;
}
int initialGridRowsOf(Family family) {
    return family == Family::Players ? 250 : 100;
}

// Records of a page read whole: all of them once the reply reached its totals block.
int completeRecords(const PageReadResult& read) {
    return read.totalsWritten ? read.recordsWritten : std::max(0, read.recordsWritten - 1);
}

// The hourglass for as long as a close handler runs, even when its usage event fails.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(WaitCursor)
};

} // namespace

TableWindow::TableWindow(const TableWindowSetup& setup, QWidget* parent)
    : QWidget(parent), m_setup(setup), m_http(new THttpCli(this)), m_grid(new DrawGrid(this)),
      m_label1(new QLabel(this)), m_label2(new QLabel(this)), m_label3(new QLabel(this)),
      m_animate1(new BusyAnimation(this)),
      m_rows(std::make_unique<RowCache>(datasetFamily(setup.kind), datasetRowCapacity(setup.kind))),
      m_current(datasetRowCapacity(setup.kind)),
      m_commands{setup.menu.Selectplayer1, setup.menu.Selectteam1, setup.menu.Selectyear1,
                 setup.menu.SelectLeague1, setup.menu.Sort1,       setup.menu.Limit1,
                 setup.menu.Reset1,        setup.menu.Unhide1,     setup.menu.Print1,
                 setup.menu.Coloroptions1},
      m_openingCommand(setup.openingCommand) {
    setWindowTitle(datasetCaption(setup.kind));
    m_animationDelay.setSingleShot(true);
    m_animationDelay.setInterval(kAnimationDelayMs);
    connect(&m_animationDelay, &QTimer::timeout, this, [this] {
        m_animate1->show();
        m_animate1->play();
    });
    resize(780, 560);

    const Family fam = family();
    m_grid->setFixedRows(kFixedHeaderRows);
    m_grid->setColumnCount(columnCount(fam));
    m_grid->setFixedColumns(fixedColumnsOf(fam));
    m_grid->setDefaultRowHeight(kRowHeight);
    m_grid->setRowCount(initialGridRowsOf(fam));
    QFont gridFont(QStringLiteral("Courier New"));
    gridFont.setStyleHint(QFont::TypeWriter);
    gridFont.setPointSize(8);
    m_grid->viewport()->setFont(gridFont);
    m_textAscent = QFontMetrics(gridFont).ascent();
    m_grid->setCellPainter([this](QPainter& painter, int column, int row, const QRect& rect) {
        paintCell(painter, column, row, rect);
    });
    m_grid->setTopLeftChanged([this] { DrawGrid1TopLeftChanged(); });
    m_grid->setDoubleClicked([this](int column) { DrawGrid1DblClick(column); });
    m_dataCommands = new TableDataCommands(*this);

    QFont arial(QStringLiteral("Arial"));
    m_label1->setFont(arial);
    m_label1->setStyleSheet(QStringLiteral("color: black"));
    m_label1->setMinimumWidth(160);
    m_label3->setText(QStringLiteral("Click here to get on the web at:"));
    m_label3->adjustSize();
    QFont brandFont = m_label2->font();
    brandFont.setBold(true);
    brandFont.setUnderline(true);
    m_label2->setFont(brandFont);
    m_label2->setStyleSheet(QStringLiteral("color: blue"));
    m_label2->setCursor(Qt::PointingHandCursor);
    m_label2->setText(setup.brandHome);
    m_label2->adjustSize();
    m_label2->installEventFilter(this);
    for (QLabel*& image : m_images) {
        image = new QLabel(this);
        image->setFixedSize(468, 60);
        image->setScaledContents(true);
        image->setCursor(Qt::PointingHandCursor);
        image->installEventFilter(this);
    }
    m_http->setURL(endpointUrl(setup.kind, hosts::StatisticsHost::Opening));
    FormCreate();
}

TableWindow::~TableWindow() {
    if (g_activeTableWindow == this)
        g_activeTableWindow = nullptr;
}

void TableWindow::FormCreate() {
    if (m_setup.proxy.enabled)
        applyProxy(*m_http, m_setup.proxy);
    FormActivate();
    m_images[0]->setVisible(m_setup.bannerCount >= 1);
    m_images[1]->setVisible(m_setup.bannerCount >= 2);
    m_state.CriteriaList.clear();
    m_animate1->stop();
    m_animate1->hide();
    m_state.SortCodes = {RequestState::kDefaultSortCode};
    m_lastTopRow = m_grid->topRow();
    if (family() == Family::Players)
        colorSettings().AlternateBy = 0;
    for (int column = 0; column < columnCount(family()); ++column)
        m_grid->setColumnWidth(column, columnInfo(family(), column).width);
    // The first maximising runs ResizeMe, which replaces these design-time sizes.
    m_grid->resize(std::max(0, outerWidth() - 30),
                   std::max(0, outerHeight() - (family() == Family::Players ? 75 : 70)));
    m_label1->move(104, outerHeight() - 50);
    m_label1->setText(QStringLiteral("Total Lines: 0"));
    familyStart(family()) = seams::clock().now();
}

// The layout counts from the outer size of the window's frame, as the window definitions do.
int TableWindow::outerHeight() const {
    return m_frame ? m_frame->height() : height() + 30;
}
int TableWindow::outerWidth() const {
    return m_frame ? m_frame->width() : width() + 8;
}

void TableWindow::ResizeMe() {
    const int h = outerHeight();
    const int w = outerWidth();
    m_grid->setGeometry(0, 0, std::max(0, w - 30), std::max(0, h - 132));
    m_label1->move(104, h - 60);
    m_animate1->move(10, h - 60);
    m_label3->move(270, h - 60);
    m_label2->move(475, h - 60);
    m_images[0]->move(7, h - 122);
    m_images[1]->move(family() == Family::Players ? 484 : 480, h - 122);
}

void TableWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ResizeMe();
}

void TableWindow::attachTo(QMdiSubWindow* frame) {
    m_frame = frame;
    connect(frame, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates before, Qt::WindowStates now) {
                const bool wasActive = before.testFlag(Qt::WindowActive);
                const bool isActive = now.testFlag(Qt::WindowActive);
                if (isActive && !wasActive) {
                    g_activeTableWindow = this;
                    FormActivate();
                } else if (wasActive && !isActive) {
                    if (g_activeTableWindow == this)
                        g_activeTableWindow = nullptr;
                    FormDeactivate();
                }
            });
}

void TableWindow::setAllCommands(bool enabled) {
    for (const QPointer<QAction>& action : m_commands)
        if (action)
            action->setEnabled(enabled);
}

void TableWindow::FormActivate() {
    setAllCommands(true);
    if (family() == Family::Teams && m_commands[Selectplayer1])
        m_commands[Selectplayer1]->setEnabled(false);
}

void TableWindow::FormDeactivate() {
    setAllCommands(false);
}

// The area activates the next child before this window is deleted, so that window gets the
// commands back here rather than on its own activation.
void TableWindow::disableAllCommands() {
    setAllCommands(false);
    if (g_activeTableWindow && g_activeTableWindow != this)
        g_activeTableWindow->FormActivate();
}

void TableWindow::busyOn() {
    if (m_busyDepth++ > 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_animationDelay.start();
    m_grid->setInputLocked(true);
}

void TableWindow::busyOff() {
    if (--m_busyDepth > 0)
        return;
    m_grid->setInputLocked(false);
    m_animationDelay.stop();
    m_animate1->stop();
    m_animate1->hide();
    QApplication::restoreOverrideCursor();
}

void TableWindow::Refetch() {
    // A menu command that arrives while this window's request waits starts no second one; the
    // changed request state goes with the next fetch.
    if (m_http->isBusy())
        return;
    BusyScope busy(*this);
    m_state.PageStart = m_grid->topRow() - kFixedHeaderRows;
    // Near the end of a result cut at the capacity, the page would run past the last record and
    // the totals block would never be read.
    m_state.PageSize =
        std::min(m_grid->visibleRowCount(), std::max(0, m_rows->capacity() - m_state.PageStart));
    // Marked before the exchange: a reply that fails half way may have written some of them.
    m_rowBand.markRewritten(m_state.PageStart + 1, m_state.PageStart + m_state.PageSize);
    try {
        const PageReadResult read = FetchPageWithFallback(*m_http, m_setup.kind, m_state, *m_rows);
        m_current.pageRead(m_state, m_state.PageStart + 1, m_state.PageStart + completeRecords(read));
    } catch (const EHttpException& failure) {
        seams::presenter().showError(failure.reason());
        return;
    }
    m_lastPageSize = m_state.PageSize;
    // A shorter result moves the top row up here, which fetches the page at the new top row.
    m_grid->setRowCount(m_rows->GridLineCount() + 2);
    Redraw();
}

bool TableWindow::fetchMissingRecords(int first, int last,
                                      const std::function<bool(long long, long long)>& progress) {
    const std::vector<std::pair<int, int>> runs = m_current.missing(m_state, first, last);
    long long total = 0;
    for (const auto& [from, to] : runs)
        total += to - from + 1;
    if (total == 0)
        return true;
    BusyScope busy(*this);
    // The bands follow whatever was written, whether the reading ends or fails.
    struct RedrawAfter {
        TableWindow* window;
        ~RedrawAfter() { window->Redraw(); }
    } redraw{this};
    RequestState page = m_state;
    long long done = 0;
    for (const auto& [from, to] : runs) {
        for (int start = from; start <= to; start += ResultReader::kLargestPage) {
            page.PageStart = start - 1;
            page.PageSize = std::min(ResultReader::kLargestPage, to - start + 1);
            m_rowBand.markRewritten(start, start + page.PageSize - 1);
            const PageReadResult read = FetchPageWithFallback(*m_http, m_setup.kind, page, *m_rows);
            m_current.pageRead(page, start, page.PageStart + completeRecords(read));
            if (!read.totalsWritten)
                throw std::runtime_error("The statistics service's reply ended before its last row.");
            done += page.PageSize;
            if (progress && !progress(done, total))
                return false;
        }
    }
    return true;
}

TablePage TableWindow::page() const {
    return {family(), *m_rows, m_grid->topRow(), m_lastPageSize};
}

void TableWindow::Redraw() {
    QString lines = QStringLiteral("Total Lines: ") + QString::number(m_rows->GridLineCount() - 1);
    if (m_rows->resultExceedsCapacity())
        lines = QStringLiteral("Total Lines: ") + QString::number(m_rows->reportedTotalRows()) +
                QStringLiteral(" (first ") + QString::number(m_rows->capacity()) + QStringLiteral(" shown)");
    m_label1->setText(lines);
    m_label1->adjustSize();
    m_rowBand.update(family(), colorSettings().AlternateBy, CacheRows(*m_rows), m_rows->GridLineCount());
    m_grid->viewport()->update();
}

void TableWindow::DrawGrid1TopLeftChanged() {
    if (m_grid->topRow() == m_lastTopRow)
        return;
    Refetch();
    m_lastTopRow = m_grid->topRow();
}

// The column under the pointer: a double click on a fixed column or a header then hides what the
// user pointed at, never the current column somewhere else.
void TableWindow::DrawGrid1DblClick(int column) {
    hideColumn(column);
}

void TableWindow::hideColumn(int column) {
    if (column < 3 || column >= columnCount(family()))
        return;
    if (m_hidden.add(column, m_grid->columnWidth(column),
                     QString::fromLatin1(columnInfo(family(), column).unhideName)))
        m_grid->setColumnWidth(column, 0);
}

void TableWindow::restoreColumns(const std::vector<HiddenColumnList::Entry>& entries) {
    for (const HiddenColumnList::Entry& entry : entries)
        m_grid->setColumnWidth(entry.column, entry.width);
}

void TableWindow::unhideColumns(const std::vector<int>& positions) {
    restoreColumns(m_hidden.take(positions));
}

void TableWindow::unhideAllColumns() {
    restoreColumns(m_hidden.takeAll());
}

void TableWindow::Reset() {
    m_state.reset();
    BusyScope busy(*this);
    m_grid->setRowCount(250);
    Refetch();
    Redraw();
}

bool TableWindow::appendCriteriaGroup(const QStringList& lines) {
    if (m_state.appendGroup(lines))
        return true;
    seams::presenter().showMessage(
        QStringLiteral("Error"),
        QStringLiteral("A table window keeps at most %1 lines of selections and limits, and this one "
                       "would need %2. Use Reset to start again.")
            .arg(RequestState::kMaxCriteriaLines)
            .arg(m_state.CriteriaList.size() + lines.size()));
    return false;
}

void TableWindow::paintCell(QPainter& painter, int column, int row, const QRect& rect) {
    const Family fam = family();
    QString text;
    if (row < kFixedHeaderRows) {
        painter.setPen(Qt::black);
        text = headerText(fam, column, row);
    } else {
        const int record = row - 1;
        const std::vector<std::uint8_t>& bands = m_rowBand.values();
        const std::uint8_t band =
            record < static_cast<int>(bands.size()) ? bands[static_cast<size_t>(record)] : 0;
        const CacheRows rows(*m_rows);
        painter.setPen(m_grid->isRowSelected(row) ? m_grid->palette().color(QPalette::HighlightedText)
                                                  : bandColor(band));
        if (band == kBandColorSet1 || band == kBandColorSet2) {
            if (!m_rows->isWritten(record))
                return;
            text = cellText(fam, column, RowKind::Data, rows, record);
        } else {
            text = cellText(fam, column, RowKind::Totals, rows, RowCache::TotalsRecord);
        }
    }
    // From the top-left corner without a layout pass: the clip already cuts long texts.
    if (!text.isEmpty())
        painter.drawText(rect.left(), rect.top() + m_textAscent, text);
}

bool TableWindow::FormCloseQuery() const {
    return !isBusy();
}

void TableWindow::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    closeHandler();
}

// The usage event goes last but one; when it fails the window still goes and the main window still
// forgets it, and the failure then reaches the standard error box.
void TableWindow::closeWindow() {
    WaitCursor hourglass;
    if (m_openingCommand)
        m_openingCommand->setEnabled(true);
    const QMdiArea* area = m_frame ? m_frame->mdiArea() : nullptr;
    if (!area || area->subWindowList().size() <= 1) {
        for (int command : {Reset1, Limit1, Sort1, Print1, Unhide1, SelectLeague1, Selectteam1, Selectyear1})
            if (m_commands[command])
                m_commands[command]->setEnabled(false);
        if (family() == Family::Players && m_commands[Selectplayer1])
            m_commands[Selectplayer1]->setEnabled(false);
    }
    struct Forget {
        TableWindow* window;
        ~Forget() { emit window->closed(window->kind()); }
    } forget{this};
    const qint64 seconds = UsageEvent::secondsBetween(familyStart(family()), seams::clock().now());
    if (m_setup.usageEvents)
        m_setup.usageEvents->postline(UsageEvent::inLine(family(), m_setup.brandHome, seconds));
}

void TableWindow::sendClick(const QString& line) {
    if (m_setup.usageEvents)
        m_setup.usageEvents->postline(line);
}

void TableWindow::openBanner(int slot) {
    seams::opener().open(bannerClickAddress(slot));
}

QString TableWindow::bannerClickAddress(int slot) const {
    const qint32 number = bannerSlotNumbers().at(static_cast<size_t>(bannerSlot(kind(), slot) - 1));
    return bannerAddressWith(m_setup.bannerClickAddress, number);
}

void TableWindow::setBannerPicture(int slot, const QPixmap& picture) {
    m_images[slot == 2 ? 1 : 0]->setPixmap(picture);
}

QPixmap TableWindow::bannerPicture(int slot) const {
    return m_images[slot == 2 ? 1 : 0]->pixmap();
}

// A click is the left button released over the control it was pressed on.
bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease)
        return QWidget::eventFilter(watched, event);
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton &&
        static_cast<QWidget*>(watched)->rect().contains(mouse->position().toPoint())) {
        if (watched == m_label2)
            label2Click();
        else if (watched == m_images[0])
            image1Click();
        else if (watched == m_images[1])
            image2Click();
    }
    return QWidget::eventFilter(watched, event);
}

TForm2A::TForm2A(const TableWindowSetup& setup, QWidget* parent) : TableWindow(setup, parent) {
    setObjectName(QStringLiteral("TForm2A"));
}

TForm2A::~TForm2A() {
    FormDestroy();
}

void TForm2A::FormDest() {
    closeWindow();
}

void TForm2A::FormDestroy() {
    disableAllCommands();
}

void TForm2A::Label2Click() {
    seams::opener().open(m_setup.brandHome);
    sendClick(UsageEvent::urlClickLine(m_setup.brandHome));
}

void TForm2A::Image1Click() {
    sendClick(UsageEvent::clickLine(Family::Players, m_setup.brandHome));
    openBanner(1);
}

void TForm2A::Image2Click() {
    openBanner(2);
    sendClick(UsageEvent::clickLine(Family::Players, m_setup.brandHome));
}

TForm5::TForm5(const TableWindowSetup& setup, QWidget* parent) : TableWindow(setup, parent) {
    setObjectName(QStringLiteral("TForm5"));
}

TForm5::~TForm5() {
    FormDestroy2();
}

void TForm5::FormDestroy() {
    closeWindow();
}

void TForm5::FormDestroy2() {
    disableAllCommands();
}

void TForm5::Label2Click() {
    seams::opener().open(m_setup.brandHome);
    sendClick(UsageEvent::clickLine(Family::Teams, m_setup.brandHome));
}

void TForm5::Image1Click() {
    openBanner(1);
    sendClick(UsageEvent::clickLine(Family::Teams, m_setup.brandHome));
}

void TForm5::Image2Click() {
    openBanner(2);
    sendClick(UsageEvent::clickLine(Family::Teams, m_setup.brandHome));
}

TableWindow* createTableWindow(QMdiArea* area, const TableWindowSetup& setup) {
    TableWindow* window = nullptr;
    if (datasetFamily(setup.kind) == Family::Players)
        window = new TForm2A(setup);
    else
        window = new TForm5(setup);
    if (setup.openingCommand)
        setup.openingCommand->setEnabled(false);
    QMdiSubWindow* frame = area->addSubWindow(window);
    window->attachTo(frame);
    window->FormActivate();
    frame->showMaximized();
    window->ResizeMe();
    return window;
}

TableWindow* openTableWindow(QMdiArea* area, const TableWindowSetup& setup) {
    TableWindow* window = createTableWindow(area, setup);
    window->Refetch();
    return window;
}

} // namespace statdesk
