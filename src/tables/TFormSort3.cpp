#include "TFormSort3.h"

#include "ColumnCatalogue.h"
#include "SortCodes.h"
#include "THttpCli.h"
#include "TableWindow.h"
#include "UsageEvent.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace statdesk {
namespace {

int datasetNumberOf(DatasetKind kind) {
    return static_cast<int>(kind) + 1;
}

// A frame with two exclusive choices side by side; the first is chosen.
std::pair<QRadioButton*, QRadioButton*> addChoiceGroup(QWidget* parent, const char* name, const QRect& at,
                                                       const QString& first, const QString& second) {
    auto* group = new QGroupBox(parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(at);
    auto* layout = new QHBoxLayout(group);
    auto* a = new QRadioButton(first, group);
    auto* b = new QRadioButton(second, group);
    layout->addWidget(a);
    layout->addWidget(b);
    a->setChecked(true);
    return {a, b};
}

} // namespace

TFormSort3::TFormSort3(QWidget* parent) : QDialog(parent), m_httpCli6(new THttpCli(this)) {
    setObjectName(QStringLiteral("TFormSort3"));
    // The outer size is 572 x 294; the frame takes about 8 x 27 of it.
    setFixedSize(564, 267);
    static const char* const labels[] = {"1st Field", "2nd Field", "3rd Field", "4th Field"};
    static const char* const groups[] = {"RadioGroup1", "RadioGroup2", "RadioGroup3", "RadioGroup5"};
    for (size_t i = 0; i < 4; ++i) {
        const int top = 8 + static_cast<int>(i) * 46;
        Labels[i] = new QLabel(QString::fromLatin1(labels[i]), this);
        Labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        Labels[i]->setGeometry(8, top + 14, 64, 16);
        ComboBoxes[i] = new QComboBox(this);
        ComboBoxes[i]->setObjectName(QStringLiteral("ComboBox%1").arg(i + 1));
        ComboBoxes[i]->setGeometry(76, top + 10, 260, 24);
        ComboBoxes[i]->setMaxVisibleItems(25);
        ComboBoxes[i]->addItem(QStringLiteral("NONE"));
        Labels[i]->setBuddy(ComboBoxes[i]);
        std::tie(Ascending[i], Descending[i]) =
            addChoiceGroup(this, groups[i], QRect(348, top, 208, 42), QStringLiteral("&Ascending"),
                           QStringLiteral("&Descending"));
    }
    std::tie(KeepLastSort, EraseLastSort) =
        addChoiceGroup(this, "RadioGroup4", QRect(8, 194, 380, 42), QStringLiteral("Keep last sort setting"),
                       QStringLiteral("Erase last sort setting"));
    Button1 = new QPushButton(QStringLiteral("&Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(400, 204, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(481, 204, 75, 25);
    connect(Button1, &QPushButton::clicked, this, [this] {
        Button1Click();
        accept();
    });
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

TFormSort3::~TFormSort3() = default;

void TFormSort3::FormCreate() {
    m_datasetNumber = 1;
}

const TFormSort3::FieldPositions& TFormSort3::SortMemory(int datasetNumber) const {
    return m_sortMemory.at(static_cast<size_t>(datasetNumber - 1));
}

void TFormSort3::FormActivate() {
    const FieldPositions& remembered = SortMemory(m_datasetNumber);
    for (size_t i = 0; i < 4; ++i)
        ComboBoxes[i]->setCurrentIndex(remembered[i]);
}

void TFormSort3::Button1Click() {
    FieldPositions& remembered = m_sortMemory[static_cast<size_t>(m_datasetNumber - 1)];
    for (size_t i = 0; i < 4; ++i)
        remembered[i] = EraseLastSort->isChecked() ? 0 : ComboBoxes[i]->currentIndex();
}

void TFormSort3::SortWindow(TableWindow& window) {
    setWindowTitle(datasetDialogName(window.kind()) + QStringLiteral(" - Sort Options"));
    m_datasetNumber = datasetNumberOf(window.kind());
    QStringList entries{QStringLiteral("NONE")};
    for (const ColumnInfo& column : columns(window.family()))
        entries.append(QString::fromLatin1(column.sortName));
    for (QComboBox* box : ComboBoxes) {
        box->clear();
        box->addItems(entries);
    }
    FormActivate();
    ComboBoxes[0]->setFocus();
    if (exec() != QDialog::Accepted)
        return;
    std::array<SortField, 4> fields;
    for (size_t i = 0; i < 4; ++i)
        fields[i] = {ComboBoxes[i]->currentIndex(), Ascending[i]->isChecked()};
    TableWindow::BusyScope busy(window);
    window.requestState().SortCodes = computeSortCodes(fields);
    window.Refetch();
}

void TFormSort3::postline(const QString& line) {
    statdesk::postline(*m_httpCli6, line);
}

} // namespace statdesk
