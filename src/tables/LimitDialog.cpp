#include "LimitDialog.h"

#include "ColumnCatalogue.h"
#include "TableDialogLook.h"
#include "TableWindow.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace statdesk {

TBtnRightDlg::TBtnRightDlg(QWidget* parent) : QDialog(parent) {
    setUpTableDialog(*this, "BtnRightDlg", QStringLiteral("Limit"), 388, 326);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(8, 8, 273, 297);
    ListBox1 = new QListWidget(frame);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(4, 4, 265, 289);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setUniformItemSizes(true);

    std::tie(OKBtn, CancelBtn) = addOkCancel(*this, {300, 8, 75, 25}, {300, 38, 75, 25});
    Label1 = new QLabel(QStringLiteral("Minimum Value"), this);
    Label1->setGeometry(292, 110, 92, 16);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(292, 128, 88, 22);
    Label2 = new QLabel(QStringLiteral("Maximum Value"), this);
    Label2->setGeometry(292, 166, 92, 16);
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setGeometry(292, 184, 88, 22);
    Label1->setBuddy(Edit1);
    Label2->setBuddy(Edit2);
    setTabOrder(ListBox1, Edit1);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, OKBtn);
    setTabOrder(OKBtn, CancelBtn);
}

TBtnRightDlg::~TBtnRightDlg() = default;

void TBtnRightDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    ListBox1->setFocus();
}

void TBtnRightDlg::LimitWindow(TableWindow& window) {
    ListBox1->clear();
    for (const ColumnInfo& column : columns(window.family()))
        ListBox1->addItem(QString::fromLatin1(column.limitName));
    Edit1->setText(QStringLiteral("0"));
    Edit2->setText(QStringLiteral("9999"));
    setWindowTitle(datasetDialogName(window.kind()) + QStringLiteral(" - Limit Options"));
    if (exec() != QDialog::Accepted)
        return;
    // Sent exactly as typed: the service reads the bounds.
    const QString line = QStringLiteral("E") + QString::number(ListBox1->currentRow()) + QLatin1Char('!') +
                         Edit1->text() + QLatin1Char('!') + Edit2->text() + QLatin1Char('!');
    TableWindow::BusyScope busy(window);
    if (!window.appendCriteriaGroup({line, QStringLiteral("*")}))
        return;
    window.Refetch();
    window.Redraw();
}

} // namespace statdesk
