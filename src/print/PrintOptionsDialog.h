#pragma once

#include "PrintOptions.h"

#include <QDialog>
#include <QPersistentModelIndex>

class QLabel;
class QLineEdit;
class QModelIndex;
class QPainter;
class QPushButton;
class QRadioButton;
class QStyleOptionViewItem;
class QTableWidget;

namespace statdesk {

// "Print Options": which columns a report prints, in which order and how wide, and how a line fits
// the page. Created once; each print command prepares it afresh and may show it several times.
class TDualListDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDualListDlg)

  public:
    enum class Result { Print, Preview, Cancel };

    explicit TDualListDlg(QWidget* parent = nullptr);
    ~TDualListDlg() override;

    // A fresh start for a print command on family: lists, widths, line settings, file dialogs.
    void prepare(Family family);
    // Shows the dialog modally; closing the window counts as Cancel. The state carries over.
    Result run();
    const PrintOptions& options() const { return m_options; }

    QTableWidget* StringGrid1 = nullptr; // available columns; its width cell is always in edit
    QTableWidget* StrList = nullptr;     // columns to print
    QLabel* SrcLabel = nullptr;
    QLabel* DstLabel = nullptr;
    QPushButton* IncludeBtn = nullptr;
    QPushButton* IncAllBtn = nullptr;
    QPushButton* ExcludeBtn = nullptr;
    QPushButton* ExAllBtn = nullptr;
    QPushButton* Button2 = nullptr; // "Printer &Setup"
    QPushButton* PreviewBtn = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* BitBtn1 = nullptr; // load
    QPushButton* BitBtn2 = nullptr; // save
    QPushButton* CancelBtn = nullptr;
    QRadioButton* CheckBox1 = nullptr; // "&Fit to page"
    QRadioButton* RadioButton4 = nullptr;
    QLineEdit* MinimumEdit = nullptr;
    QLineEdit* MaximumEdit = nullptr;
    QLabel* MinimumLabel = nullptr;
    QLabel* MaximumLabel = nullptr;

    // Paints one cell of the print grid: white, light grey under the focus, black text at top left.
    static void StrListDrawCell(QPainter& painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index);

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void IncludeBtnClick();
    void IncAllBtnClick();
    void ExcludeBtnClick();
    void ExcAllBtnClick();
    void CheckBox1Click();
    void RadioButton4Click();
    void Button2Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void StringGrid1SetEditText(int row, const QString& text);
    void FormActivate();

    void buildLayout();
    void fillGrid(QTableWidget* grid, const QStringList& names);
    void refreshGrids();
    void updateButtons();
    void showLineSettings();
    void followCurrentCell(QTableWidget* grid, int row, int column);
    void showWidthEditor();
    void loadFrom(const QString& path);

    PrintOptions m_options;
    QString m_fileFilter;
    QString m_fileSuffix;
    QPersistentModelIndex m_editorIndex;
};

} // namespace statdesk
