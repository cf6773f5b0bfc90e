#include "SelectDialog.h"

#include "ChoiceList.h"
#include "StatsQueryClient.h"
#include "TableDialogLook.h"
#include "TableWindow.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
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
    : QDialog(parent), ListBox1(new ChoiceList(this)), ListBox2(new QListWidget(this)),
      Label1(new QLabel(this)), Label2(new QLabel(this)) {
    setUpTableDialog(*this, "BtnRightDlg1", QStringLiteral("Select"), 435, 374);

    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 241, 321);
    ListBox1->setItemDelegate(new ValueDelegate(ListBox1));
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setGeometry(250, 40, 177, 289);
    ListBox2->setFocusPolicy(Qt::NoFocus);
    ListBox2->setSelectionMode(QAbstractItemView::NoSelection);
    Label2->setGeometry(8, 337, 241, 16);
    Label1->setGeometry(250, 337, 177, 16);
    std::tie(OKBtn, CancelBtn) = addOkCancel(*this, {268, 8, 75, 25}, {350, 8, 75, 25});
    setTabOrder(ListBox1, OKBtn);
    setTabOrder(OKBtn, CancelBtn);

    // The chosen list follows the selection itself, item by item, so no choice is ever lost.
    connect(ListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected, const QItemSelection& deselected) {
                for (const QModelIndex& index : deselected.indexes())
                    unchoose(index.data().toString());
                for (const QModelIndex& index : selected.indexes())
                    choose(index.data().toString());
                showChosen();
            });
}

TBtnRightDlg1::~TBtnRightDlg1() = default;

void TBtnRightDlg1::fill(const QStringList& values) {
    ListBox1->clear();
    ListBox1->addItems(values);
    Label2->setText(QStringLiteral("Listed = ") + QString::number(values.size()));
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
    ListBox1->setFocus();
    if (ListBox1->count() > 0)
        ListBox1->selectionModel()->setCurrentIndex(ListBox1->model()->index(0, 0),
                                                    QItemSelectionModel::NoUpdate);
}

void TBtnRightDlg1::SelectValues(TableWindow& window, ListKind kind) {
    std::optional<QStringList> values;
    {
        TableWindow::BusyScope busy(window);
        ListBox1->clear();
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
