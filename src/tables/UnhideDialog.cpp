#include "UnhideDialog.h"

#include "TableWindow.h"

#include <QListWidget>
#include <QPushButton>

namespace statdesk {

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Unhide Columns"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setFixedSize(344, 288); // a window of 352 x 315 with its frame

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 225, 265);
    ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Button1 = new QPushButton(QStringLiteral("&Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(248, 8, 88, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(248, 40, 88, 25);
    Button3 = new QPushButton(QStringLiteral("&Unhide all"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(248, 72, 88, 25);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Button3, &QPushButton::clicked, this, [this] { done(UnhideAll); });
}

TForm11::~TForm11() = default;

void TForm11::UnhideColumns(TableWindow& window) {
    ListBox1->clear();
    for (const HiddenColumnList::Entry& entry : window.hiddenColumns().entries())
        ListBox1->addItem(entry.unhideName);
    ListBox1->setFocus();
    const int result = exec();
    if (result == QDialog::Accepted) {
        std::vector<int> positions;
        for (int row = 0; row < ListBox1->count(); ++row)
            if (ListBox1->item(row)->isSelected())
                positions.push_back(row);
        window.unhideColumns(positions);
    } else if (result == UnhideAll) {
        window.unhideAllColumns();
    }
}

} // namespace statdesk
