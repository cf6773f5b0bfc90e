#include "PrintOptionsDialog.h"

#include "PrintDefinitionFile.h"
#include "ReportPrinter.h"
#include "Seams.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSaveFile>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <functional>

namespace statdesk {
namespace {

constexpr int PreviewCode = 2;

// The editor of the available grid's width cell: every change of its text goes straight to the
// width table, and Tab, Return and Escape work as they do in the rest of the dialog.
class WidthCellDelegate final : public QStyledItemDelegate {
  public:
    WidthCellDelegate(QObject* parent, std::function<void(int, const QString&)> edited)
        : QStyledItemDelegate(parent), m_edited(std::move(edited)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const QPersistentModelIndex cell(index);
        connect(editor, &QLineEdit::textEdited, editor, [this, cell](const QString& text) {
            if (cell.isValid())
                m_edited(cell.row(), text);
        });
        return editor;
    }
    // Only a change from outside: resetting the same text would move the typing cursor.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* edit = static_cast<QLineEdit*>(editor);
        const QString text = index.data().toString();
        if (edit->text() != text)
            edit->setText(text);
    }
    // The text reaches the grid as it is typed.
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
                return false;
            default:
                break;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    std::function<void(int, const QString&)> m_edited;
};

class PrintCellDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        TDualListDlg::StrListDrawCell(*painter, option, index);
    }
};

QTableWidget* makeGrid(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* grid = new QTableWidget(1, 2, parent);
    grid->setObjectName(name);
    grid->setGeometry(geometry);
    grid->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->resizeSection(0, 30);
    grid->horizontalHeader()->resizeSection(1, 300);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(14);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setTabKeyNavigation(false); // Tab leaves the grid, as from any other control
    grid->setWordWrap(false);
    grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    return grid;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeField(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setMaxLength(PrintOptions::FieldLength);
    field->setAlignment(Qt::AlignRight);
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), field));
    return field;
}

QTableWidgetItem* cell(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(row, column, item);
    }
    return item;
}

QString shownPath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

TDualListDlg::TDualListDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DualListDlg"));
    setWindowTitle(QStringLiteral("Print Options"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(712, 284);
    buildLayout();
    prepare(Family::Players);
}

TDualListDlg::~TDualListDlg() = default;

void TDualListDlg::buildLayout() {
    SrcLabel = new QLabel(QStringLiteral("Available Columns:"), this);
    SrcLabel->setGeometry(8, 6, 200, 16);
    StringGrid1 = makeGrid(this, QStringLiteral("StringGrid1"), {8, 24, 316, 150});
    // The whole grid's delegate, so that the view unhooks it from each editor it closes.
    StringGrid1->setItemDelegate(new WidthCellDelegate(
        StringGrid1, [this](int row, const QString& text) { StringGrid1SetEditText(row, text); }));
    DstLabel = new QLabel(QStringLiteral("Columns to print"), this);
    DstLabel->setGeometry(388, 6, 200, 16);
    StrList = makeGrid(this, QStringLiteral("StrList"), {388, 24, 316, 150});
    StrList->setItemDelegate(new PrintCellDelegate(StrList));

    IncludeBtn = makeButton(this, QStringLiteral("IncludeBtn"), QStringLiteral(">"), {342, 40, 28, 28});
    IncAllBtn = makeButton(this, QStringLiteral("IncAllBtn"), QStringLiteral(">>"), {342, 74, 28, 28});
    ExcludeBtn = makeButton(this, QStringLiteral("ExcludeBtn"), QStringLiteral("<"), {342, 108, 28, 28});
    ExAllBtn = makeButton(this, QStringLiteral("ExAllBtn"), QStringLiteral("<<"), {342, 142, 28, 28});
    ExcludeBtn->setEnabled(false);
    ExAllBtn->setEnabled(false);

    Button2 =
        makeButton(this, QStringLiteral("Button2"), QStringLiteral("Printer &Setup"), {8, 184, 100, 25});
    PreviewBtn =
        makeButton(this, QStringLiteral("PreviewBtn"), QStringLiteral("Print Pre&view"), {114, 184, 100, 25});
    OKBtn = makeButton(this, QStringLiteral("OKBtn"), QStringLiteral("OK to Print"), {220, 184, 104, 25});
    OKBtn->setDefault(true);
    BitBtn1 = makeButton(this, QStringLiteral("BitBtn1"), QStringLiteral("&LOAD Print Settings"),
                         {8, 216, 155, 25});
    BitBtn2 = makeButton(this, QStringLiteral("BitBtn2"), QStringLiteral("&SAVE Print Settings"),
                         {169, 216, 155, 25});
    CancelBtn = makeButton(this, QStringLiteral("CancelBtn"), QStringLiteral("Cancel"), {624, 252, 80, 25});

    CheckBox1 = new QRadioButton(QStringLiteral("&Fit to page"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(376, 186, 112, 20);
    MinimumEdit = makeField(this, QStringLiteral("MinimumEdit"), {490, 186, 40, 21});
    MinimumLabel = new QLabel(QStringLiteral("Minimum characters per line"), this);
    MinimumLabel->setGeometry(534, 188, 176, 16);
    RadioButton4 = new QRadioButton(QStringLiteral("&Don't fit to page"), this);
    RadioButton4->setObjectName(QStringLiteral("RadioButton4"));
    RadioButton4->setGeometry(376, 218, 112, 20);
    MaximumEdit = makeField(this, QStringLiteral("MaximumEdit"), {490, 218, 40, 21});
    MaximumLabel = new QLabel(QStringLiteral("Maximum characters per line"), this);
    MaximumLabel->setGeometry(534, 220, 176, 16);

    const QList<QWidget*> tabOrder{StringGrid1, IncludeBtn,   IncAllBtn,   ExcludeBtn, ExAllBtn, StrList,
                                   Button2,     PreviewBtn,   OKBtn,       BitBtn1,    BitBtn2,  CheckBox1,
                                   MinimumEdit, RadioButton4, MaximumEdit, CancelBtn};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(IncludeBtn, &QPushButton::clicked, this, &TDualListDlg::IncludeBtnClick);
    connect(IncAllBtn, &QPushButton::clicked, this, &TDualListDlg::IncAllBtnClick);
    connect(ExcludeBtn, &QPushButton::clicked, this, &TDualListDlg::ExcludeBtnClick);
    connect(ExAllBtn, &QPushButton::clicked, this, &TDualListDlg::ExcAllBtnClick);
    connect(Button2, &QPushButton::clicked, this, &TDualListDlg::Button2Click);
    connect(PreviewBtn, &QPushButton::clicked, this, [this] { done(PreviewCode); });
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn1, &QPushButton::clicked, this, &TDualListDlg::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TDualListDlg::BitBtn2Click);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(CheckBox1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            CheckBox1Click();
    });
    connect(RadioButton4, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RadioButton4Click();
    });
    connect(MinimumEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_options.setMinimumText(text); });
    connect(MaximumEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_options.setMaximumText(text); });
    connect(StringGrid1, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { followCurrentCell(StringGrid1, row, column); });
    connect(StrList, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { followCurrentCell(StrList, row, column); });
}

void TDualListDlg::prepare(Family family) {
    m_options.prepare(family);
    const bool players = family == Family::Players;
    m_fileSuffix = players ? QStringLiteral("BKP") : QStringLiteral("BKT");
    m_fileFilter = players ? QStringLiteral("Basketball Players Print Definition File (*.BKP *.bkp)")
                           : QStringLiteral("Basketball Teams Print Definition File (*.BKT *.bkt)");
    refreshGrids();
    StringGrid1->setCurrentCell(0, 0);
    StringGrid1->scrollToTop();
    StrList->setCurrentCell(0, 0);
    showLineSettings();
    updateButtons();
}

TDualListDlg::Result TDualListDlg::run() {
    switch (exec()) {
    case QDialog::Accepted:
        return Result::Print;
    case PreviewCode:
        return Result::Preview;
    default:
        return Result::Cancel;
    }
}

void TDualListDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TDualListDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TDualListDlg::FormActivate() {
    updateButtons();
    StringGrid1->setFocus();
}

void TDualListDlg::IncludeBtnClick() {
    if (!m_options.include(StringGrid1->currentRow()))
        return;
    refreshGrids();
    StrList->scrollToBottom();
    updateButtons();
    StringGrid1->setFocus();
}

void TDualListDlg::IncAllBtnClick() {
    m_options.includeAll();
    refreshGrids();
    StringGrid1->setCurrentCell(0, 0);
    updateButtons();
}

void TDualListDlg::ExcludeBtnClick() {
    if (!m_options.exclude(StrList->currentRow()))
        return;
    refreshGrids();
    StringGrid1->scrollToBottom();
    updateButtons();
}

void TDualListDlg::ExcAllBtnClick() {
    m_options.excludeAll();
    refreshGrids();
    updateButtons();
}

void TDualListDlg::CheckBox1Click() {
    m_options.setFitToPage(true);
    showLineSettings();
}

void TDualListDlg::RadioButton4Click() {
    m_options.setFitToPage(false);
    showLineSettings();
}

void TDualListDlg::Button2Click() {
    runPrinterSetup(this);
}

void TDualListDlg::BitBtn1Click() {
    const QString path = seams::fileChooser().openFileName(this, m_fileFilter, m_fileSuffix);
    if (!path.isEmpty())
        loadFrom(path);
    refreshGrids();
    updateButtons();
}

void TDualListDlg::loadFrom(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        seams::presenter().showMessage(QStringLiteral("Error"),
                                       QStringLiteral("Cannot load print settings from \"%1\": %2.")
                                           .arg(shownPath(path), file.errorString()));
        return;
    }
    if (const auto error = loadPrintDefinition(bytes, m_options)) {
        seams::presenter().showMessage(
            QStringLiteral("Error"),
            QStringLiteral("Cannot load print settings from \"%1\": %2.").arg(shownPath(path), error->text));
        return;
    }
    showLineSettings();
}

void TDualListDlg::BitBtn2Click() {
    const QString path = seams::fileChooser().saveFileName(this, m_fileFilter, m_fileSuffix, QString());
    if (path.isEmpty())
        return;
    const QByteArray bytes = writePrintDefinition(m_options);
    QSaveFile file(path); // the old file stays whole if writing fails
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return;
    seams::presenter().showMessage(
        QStringLiteral("Error"),
        QStringLiteral("Cannot save print settings to \"%1\": %2.").arg(shownPath(path), file.errorString()));
}

void TDualListDlg::StringGrid1SetEditText(int row, const QString& text) {
    if (row < 0 || row >= m_options.AvailableList.size())
        return;
    m_options.setWidthText(m_options.AvailableList[row], text);
    cell(StringGrid1, row, 0)->setText(text);
}

void TDualListDlg::StrListDrawCell(QPainter& painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) {
    painter.save();
    const bool focused = option.state & QStyle::State_HasFocus;
    painter.fillRect(option.rect, focused ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::white));
    painter.setPen(Qt::black);
    painter.setFont(option.font);
    painter.drawText(option.rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    painter.restore();
}

void TDualListDlg::fillGrid(QTableWidget* grid, const QStringList& names) {
    const int rows = std::max(1, static_cast<int>(names.size()));
    const int scroll = grid->verticalScrollBar()->value();
    const int current = grid->currentRow();
    grid->setRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        const bool used = row < names.size();
        cell(grid, row, 0)->setText(used ? QString::number(m_options.printWidth(names[row])) : QString());
        cell(grid, row, 1)->setText(used ? names[row] : QString());
    }
    grid->setCurrentCell(std::clamp(current, 0, rows - 1), 0);
    grid->verticalScrollBar()->setValue(scroll); // as far as the new length allows
}

void TDualListDlg::refreshGrids() {
    fillGrid(StringGrid1, m_options.AvailableList);
    fillGrid(StrList, m_options.PrintList);
    showWidthEditor();
}

void TDualListDlg::updateButtons() {
    const bool available = !m_options.AvailableList.isEmpty();
    const bool chosen = !m_options.PrintList.isEmpty();
    IncludeBtn->setEnabled(available);
    IncAllBtn->setEnabled(available);
    ExcludeBtn->setEnabled(chosen);
    ExAllBtn->setEnabled(chosen);
}

void TDualListDlg::showLineSettings() {
    const bool fit = m_options.fitToPage();
    {
        const QSignalBlocker fitBlocker(CheckBox1);
        const QSignalBlocker dontFitBlocker(RadioButton4);
        (fit ? CheckBox1 : RadioButton4)->setChecked(true);
    }
    MinimumEdit->setText(m_options.minimumText().trimmed());
    MaximumEdit->setText(m_options.maximumText().trimmed());
    MinimumEdit->setEnabled(fit);
    MinimumLabel->setEnabled(fit);
    MaximumEdit->setEnabled(!fit);
    MaximumLabel->setEnabled(!fit);
}

// The name column never holds the cursor; the available grid's editor follows it.
void TDualListDlg::followCurrentCell(QTableWidget* grid, int row, int column) {
    if (row >= 0 && column != 0) {
        grid->setCurrentCell(row, 0);
        return;
    }
    if (grid == StringGrid1)
        showWidthEditor();
}

void TDualListDlg::showWidthEditor() {
    const QModelIndex current = StringGrid1->currentIndex();
    const bool wanted =
        current.isValid() && current.column() == 0 && current.row() < m_options.AvailableList.size();
    QWidget* old = m_editorIndex.isValid() ? StringGrid1->indexWidget(m_editorIndex) : nullptr;
    if (wanted && old && m_editorIndex == current)
        return;
    const bool hadFocus = old && old->hasFocus();
    StringGrid1->setFocusProxy(nullptr);
    if (m_editorIndex.isValid())
        static_cast<QAbstractItemView*>(StringGrid1)->closePersistentEditor(m_editorIndex);
    m_editorIndex = QPersistentModelIndex();
    if (!wanted) {
        if (hadFocus)
            StringGrid1->setFocus();
        return;
    }
    static_cast<QAbstractItemView*>(StringGrid1)->openPersistentEditor(current);
    m_editorIndex = current;
    QWidget* editor = StringGrid1->indexWidget(current);
    // Focus given to the grid lands in the editor, and Tab passes over the grid itself.
    StringGrid1->setFocusProxy(editor);
    if (hadFocus && editor)
        editor->setFocus();
}

} // namespace statdesk
