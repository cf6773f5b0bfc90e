#include "SelectDialog.h"

#include "ChoiceList.h"
#include "SearchField.h"
#include "StatsQueryClient.h"
#include "TableDialogLook.h"
#include "TableWindow.h"

#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

#include <algorithm>

namespace statdesk {
namespace {

bool lessIgnoringCase(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// Items of the full list: one line of 13 pixels, the text 2 pixels from the left.
class ValueDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 13};
    }
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.adjust(2, 0, 0, 0);
    }
};

QString titleOf(DatasetKind dataset, ListKind kind) {
    static const char* const endings[] = {" - Select Player", " - Select Team", " - Select Year",
                                          " - Select League"};
    return datasetDialogName(dataset) + QLatin1String(endings[static_cast<int>(kind)]);
}

} // namespace

TBtnRightDlg1::TBtnRightDlg1(QWidget* parent)
    : QDialog(parent), SearchEdit(new SearchField(this)), ListBox1(new ChoiceList(this)),
      ListBox2(new QListWidget(this)), Label1(new QLabel(this)), Label2(new QLabel(this)) {
    // The search field sits beside the buttons above the full list, which keeps its size; the dialog
    // grows by the field, and the chosen list reaches down to the full list's bottom.
    setUpTableDialog(*this, "BtnRightDlg1", QStringLiteral("Select"), 435, 406);

    SearchEdit->setObjectName(QStringLiteral("SearchEdit"));
    SearchEdit->setGeometry(8, 8, 241, 25);
    SearchEdit->setPlaceholderText(QStringLiteral("Search"));
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 40, 241, 321);
    ListBox1->setItemDelegate(new ValueDelegate(ListBox1));
    ListBox1->installEventFilter(this);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setGeometry(250, 40, 177, 321);
    ListBox2->setFocusPolicy(Qt::NoFocus);
    ListBox2->setSelectionMode(QAbstractItemView::NoSelection);
    Label2->setGeometry(8, 369, 241, 16);
    Label1->setGeometry(250, 369, 177, 16);
    std::tie(OKBtn, CancelBtn) = addOkCancel(*this, {268, 8, 75, 25}, {350, 8, 75, 25});
    setTabOrder(SearchEdit, ListBox1);
    setTabOrder(ListBox1, OKBtn);
    setTabOrder(OKBtn, CancelBtn);

    connect(SearchEdit, &QLineEdit::textChanged, this, &TBtnRightDlg1::narrow);
    connect(SearchEdit, &SearchField::downPressed, this, [this] {
        m_movedToList = true;
        ListBox1->setFocus(Qt::OtherFocusReason);
    });
    connect(SearchEdit, &SearchField::enterPressed, this, &TBtnRightDlg1::chooseFromSearch);
    connect(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TBtnRightDlg1::onSelectionChanged);
}

TBtnRightDlg1::~TBtnRightDlg1() = default;

void TBtnRightDlg1::fill(const QStringList& values) {
    m_values = values;
    m_index.reset(values);
    m_picked.assign(values.size(), false);
    {
        const QSignalBlocker quiet(SearchEdit);
        SearchEdit->clear();
    }
    narrow(QString());
}

// The list shows the matching values afresh, with the chosen ones among them chosen again; the current
// item is the first.
void TBtnRightDlg1::narrow(const QString& typed) {
    m_movedToList = false;
    m_shown = m_index.matching(typed);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(m_shown.size()));
    for (int value : m_shown)
        texts.append(m_values[value]);
    {
        const QScopedValueRollback refilling(m_refilling, true);
        ListBox1->clear();
        ListBox1->addItems(texts);
        QItemSelection picked;
        for (int row = 0; row < ListBox1->count(); ++row) {
            if (!m_picked[m_shown[row]])
                continue;
            const QModelIndex index = ListBox1->model()->index(row, 0);
            picked.select(index, index);
        }
        ListBox1->selectionModel()->select(picked, QItemSelectionModel::Select);
        if (ListBox1->count() > 0)
            ListBox1->selectionModel()->setCurrentIndex(ListBox1->model()->index(0, 0),
                                                        QItemSelectionModel::NoUpdate);
    }
    Label2->setText(QStringLiteral("Listed = ") + QString::number(ListBox1->count()));
}

// Enter in the field: with text, the only value shown, or the item the user went to in the list,
// becomes chosen and the dialog closes with OK; between several values it has no choice to make and
// the dialog stays. An empty field leaves Enter to OK, as in the list.
void TBtnRightDlg1::chooseFromSearch() {
    if (!SearchEdit->text().isEmpty()) {
        int row = -1;
        if (ListBox1->count() == 1)
            row = 0;
        else if (m_movedToList)
            row = ListBox1->currentRow();
        if (row < 0)
            return;
        ListBox1->selectionModel()->select(ListBox1->model()->index(row, 0), QItemSelectionModel::Select);
    }
    OKBtn->click();
}

// The chosen list follows the selection itself, item by item, so no choice is ever lost.
void TBtnRightDlg1::onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    if (m_refilling)
        return;
    m_movedToList = false;
    for (const QModelIndex& index : deselected.indexes()) {
        m_picked[m_shown[index.row()]] = false;
        unchoose(index.data().toString());
    }
    for (const QModelIndex& index : selected.indexes()) {
        m_picked[m_shown[index.row()]] = true;
        choose(index.data().toString());
    }
    showChosen();
}

bool TBtnRightDlg1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            m_movedToList = true;
    }
    return QDialog::eventFilter(watched, event);
}

void TBtnRightDlg1::choose(const QString& text) {
    // An equal text can only stand among the entries that compare equal without regard to case.
    const auto at = std::lower_bound(m_chosen.begin(), m_chosen.end(), text, lessIgnoringCase);
    for (auto it = at; it != m_chosen.end() && it->compare(text, Qt::CaseInsensitive) == 0; ++it)
        if (*it == text)
            return;
    m_chosen.insert(at, text);
}

// One equal text goes: a value the reply sent twice is held once.
void TBtnRightDlg1::unchoose(const QString& text) {
    m_chosen.removeOne(text);
}

void TBtnRightDlg1::showChosen() {
    ListBox2->clear();
    ListBox2->addItems(m_chosen);
    Label1->setText(QStringLiteral("Selected = ") + QString::number(m_chosen.size()));
}

void TBtnRightDlg1::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ListBox1->clearSelection();
    m_chosen.clear();
    ListBox2->clear();
    Label1->setText(QStringLiteral("Items = 0"));
    SearchEdit->setFocus();
    if (ListBox1->count() > 0)
        ListBox1->selectionModel()->setCurrentIndex(ListBox1->model()->index(0, 0),
                                                    QItemSelectionModel::NoUpdate);
}

void TBtnRightDlg1::SelectValues(TableWindow& window, ListKind kind) {
    std::optional<QStringList> values;
    {
        TableWindow::BusyScope busy(window);
        fill({});
        values = FetchList(window.HttpCli1(), window.kind(), kind, window.requestState().CriteriaList);
        if (!values)
            return;
        fill(*values);
        setWindowTitle(titleOf(window.kind(), kind));
    }
    if (exec() != QDialog::Accepted) {
        window.Redraw();
        return;
    }
    QStringList group;
    for (const QString& text : m_chosen)
        group.append(QLatin1Char(criterionLetter(kind)) + text);
    group.append(QStringLiteral("*"));
    TableWindow::BusyScope busy(window);
    if (!window.appendCriteriaGroup(group))
        return;
    if (kind == ListKind::Players)
        window.requestState().SortCodes = {RequestState::kDefaultSortCode};
    window.Refetch();
}

} // namespace statdesk
