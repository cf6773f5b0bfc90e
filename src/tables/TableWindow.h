#pragma once

#include "CurrentRecords.h"
#include "HiddenColumnList.h"
#include "RequestState.h"
#include "RowBand.h"
#include "RowCache.h"
#include "TablePage.h"
#include "TableWindowSetup.h"

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPainter;

namespace statdesk {

class BusyAnimation;
class DrawGrid;
class TableDataCommands;
class THttpCli;

// One statistics table window: a dataset's rows, fetched one visible page at a time. TForm2A
// (players) and TForm5 (teams) differ only in the data their family gives and in handler names.
class TableWindow : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableWindow)

  public:
    // The busy indicator and the grid's input lock, nested: a refetch that a shorter result starts
    // inside another leaves both on until the outer one ends.
    class BusyScope {
      public:
        explicit BusyScope(TableWindow& window) : m_window(window) { m_window.busyOn(); }
        ~BusyScope() { m_window.busyOff(); }
        Q_DISABLE_COPY_MOVE(BusyScope)

      private:
        TableWindow& m_window;
    };

    ~TableWindow() override;

    DatasetKind kind() const { return m_setup.kind; }
    Family family() const { return datasetFamily(m_setup.kind); }

    // Fetch the visible page (host fallback), size the grid, redraw. When every host fails the
    // reason goes to the standard error box and the window keeps what it showed.
    void Refetch();
    // Lines label, colour bands, repaint; no query.
    void Redraw();

    // Reads records first..last that hold no row of the current result into the row cache, in large
    // pages with host fallback, then redraws. False when progress (rows done, rows to fetch) stopped
    // it. Throws EHttpException when every host failed and std::runtime_error for a short reply.
    bool fetchMissingRecords(int first, int last, const std::function<bool(long long, long long)>& progress);

    // No criteria, the default sort, 250 grid rows; then the whole table again.
    void Reset();
    // Appends one criteria group. A group that would take CriteriaList past its capacity is
    // refused with a message naming the limit, and nothing changes; false then.
    bool appendCriteriaGroup(const QStringList& lines);

    // Narrows column to zero width, keeping its width to restore; the first three never hide.
    void hideColumn(int column);
    // Restores the entries at these positions of the hidden list, or all of them.
    void unhideColumns(const std::vector<int>& positions);
    void unhideAllColumns();
    const HiddenColumnList& hiddenColumns() const { return m_hidden; }

    // The request state the dialogs change before they call Refetch.
    RequestState& requestState() { return m_state; }
    const RowCache& rows() const { return *m_rows; }
    const std::vector<std::uint8_t>& RowBand() const { return m_rowBand.values(); }
    DrawGrid* DrawGrid1() const { return m_grid; }
    THttpCli& HttpCli1() const { return *m_http; }
    QLabel* Label1() const { return m_label1; }
    QLabel* Label2() const { return m_label2; }
    int LastTopRow() const { return m_lastTopRow; }
    int LastPageSize() const { return m_lastPageSize; }
    // The page on screen, as the report prints it.
    TablePage page() const;
    bool isBusy() const { return m_busyDepth > 0; }

    // The banner rotation puts a picture in slot 1 or 2.
    void setBannerPicture(int slot, const QPixmap& picture);
    QPixmap bannerPicture(int slot) const;
    // BannerClickAddress with its place holder replaced by the number that fetched the slot's picture.
    QString bannerClickAddress(int slot) const;

  signals:
    // The window has closed; the main window drops its reference.
    void closed(statdesk::DatasetKind kind);

  protected:
    explicit TableWindow(const TableWindowSetup& setup, QWidget* parent);

    // Steps shared by both families, run by the named handlers of each class.
    void FormCreate();
    void ResizeMe();
    void FormActivate();
    void FormDeactivate();
    bool FormCloseQuery() const;
    void closeWindow();
    void disableAllCommands();
    void DrawGrid1TopLeftChanged();
    void DrawGrid1DblClick(int column);
    void paintCell(QPainter& painter, int column, int row, const QRect& rect);
    void sendClick(const QString& line);
    void openBanner(int slot);

    // Each family's own close and click handlers.
    virtual void closeHandler() = 0;
    virtual void label2Click() = 0;
    virtual void image1Click() = 0;
    virtual void image2Click() = 0;

    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    const TableWindowSetup m_setup;

  private:
    void restoreColumns(const std::vector<HiddenColumnList::Entry>& entries);
    void busyOn();
    void busyOff();
    void setAllCommands(bool enabled);
    void attachTo(QMdiSubWindow* frame);
    int outerHeight() const;
    int outerWidth() const;
    friend TableWindow* createTableWindow(QMdiArea* area, const TableWindowSetup& setup);

    THttpCli* m_http;
    DrawGrid* m_grid;
    QLabel* m_label1;
    QLabel* m_label2;
    QLabel* m_label3;
    std::array<QLabel*, 2> m_images{};
    BusyAnimation* m_animate1;
    TableDataCommands* m_dataCommands;
    std::unique_ptr<RowCache> m_rows;
    RowBands m_rowBand;
    CurrentRecords m_current;
    RequestState m_state;
    HiddenColumnList m_hidden;
    int m_lastTopRow = 0;
    int m_lastPageSize = 0;
    int m_busyDepth = 0;
    // The animation comes only when a wait is long enough to see: shown and hidden again for a
    // page that arrives in a millisecond, it flickers and costs every scroll step a repaint.
    static constexpr int kAnimationDelayMs = 200;
    QTimer m_animationDelay;
    int m_textAscent = 0;
    // Menu entries outlive windows only while the main window lives; a window closed during its
    // teardown must not touch them.
    enum Command {
        Selectplayer1,
        Selectteam1,
        Selectyear1,
        SelectLeague1,
        Sort1,
        Limit1,
        Reset1,
        Unhide1,
        Print1,
        Coloroptions1
    };
    std::array<QPointer<QAction>, 10> m_commands;
    QPointer<QAction> m_openingCommand;
    QPointer<QMdiSubWindow> m_frame;
};

class TForm2A final : public TableWindow {
    Q_OBJECT
  public:
    TForm2A(const TableWindowSetup& setup, QWidget* parent = nullptr);
    ~TForm2A() override;
    void FormDest();
    void FormDestroy();
    void Label2Click();
    void Image1Click();
    void Image2Click();

  protected:
    void closeHandler() override { FormDest(); }
    void label2Click() override { Label2Click(); }
    void image1Click() override { Image1Click(); }
    void image2Click() override { Image2Click(); }
};

class TForm5 final : public TableWindow {
    Q_OBJECT
  public:
    TForm5(const TableWindowSetup& setup, QWidget* parent = nullptr);
    ~TForm5() override;
    void FormDestroy();
    void FormDestroy2();
    void Label2Click();
    void Image1Click();
    void Image2Click();

  protected:
    void closeHandler() override { FormDestroy(); }
    void label2Click() override { Label2Click(); }
    void image1Click() override { Image1Click(); }
    void image2Click() override { Image2Click(); }
};

// Creates the window of setup.kind (TForm2A or TForm5) in the area, points its client at the
// opening host, disables the opening command and shows it maximised; the caller runs Refetch.
TableWindow* createTableWindow(QMdiArea* area, const TableWindowSetup& setup);
// createTableWindow, then the first query.
TableWindow* openTableWindow(QMdiArea* area, const TableWindowSetup& setup);

} // namespace statdesk
