#include "DocumentWindows.h"

#include "TextFile.h"
#include "TutorialText.h"

#include <QAction>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyledItemDelegate>
#include <QTextEdit>
#include <QVBoxLayout>

namespace statdesk {
namespace {

// Rows of 15 pixels for 12-pixel characters.
class RowDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), 15};
    }
};

void fillWindow(QWidget* window, QWidget* content) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

} // namespace

TForm20::TForm20(QWidget* parent) : QWidget(parent), ListBox1(new QListWidget(this)) {
    setObjectName(QStringLiteral("TForm20"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(12);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFont(font);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new RowDelegate(ListBox1));
    // Long lines scroll sideways whole; an ellipsis would hide the columns at their end.
    ListBox1->setTextElideMode(Qt::ElideNone);
    ListBox1->setStyleSheet(QStringLiteral("QListWidget { background: white; color: black; }"));
}

TForm20::~TForm20() = default;

void TForm20::showFile(const QString& path, bool complemented) {
    ListBox1->clear();
    ListBox1->addItems(readDocumentLines(path, complemented));
}

void TForm20::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ListBox1->setGeometry(0, 0, std::max(0, width() - 30), std::max(0, height() - 30));
}

TForm4::TForm4(QAction* openingEntry, QWidget* parent)
    : QWidget(parent), Memo1(new QPlainTextEdit(this)), m_openingEntry(openingEntry) {
    setObjectName(QStringLiteral("TForm4"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Help Text"));
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The texts line their definitions up with blanks.
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    Memo1->setFont(font);
    fillWindow(this, Memo1);
    if (m_openingEntry)
        m_openingEntry->setEnabled(false);
}

TForm4::~TForm4() {
    if (m_openingEntry)
        m_openingEntry->setEnabled(true);
}

void TForm4::setText(const QString& caption, const QStringList& lines) {
    Memo1->clear();
    setWindowTitle(caption);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

TForm16::TForm16(QWidget* parent) : QWidget(parent), RichEdit1(new QTextEdit(this)) {
    setObjectName(QStringLiteral("TForm16"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tutorialCaption());
    RichEdit1->setObjectName(QStringLiteral("RichEdit1"));
    RichEdit1->setReadOnly(true);
    RichEdit1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEdit1->setPlainText(tutorialText().join(QLatin1Char('\n')));
    RichEdit1->moveCursor(QTextCursor::Start);
    fillWindow(this, RichEdit1);
}

TForm16::~TForm16() = default;

TBtnRightDlg2::TBtnRightDlg2(QWidget* parent)
    : QDialog(parent), ListBox1(new QListWidget(this)), OKBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("BtnRightDlg2"));
    setFixedSize(300, 250);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setGeometry(8, 8, 190, 234);
    ListBox1->setSortingEnabled(true);
    OKBtn->setGeometry(212, 8, 80, 25);
    OKBtn->setDefault(true);
    CancelBtn->setGeometry(212, 40, 80, 25);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

TBtnRightDlg2::~TBtnRightDlg2() = default;

void TBtnRightDlg2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (ListBox1->count() > 0)
        ListBox1->setCurrentRow(0);
    ListBox1->setFocus();
}

std::optional<QString> TBtnRightDlg2::choose(const QString& caption, const QStringList& entries) {
    ListBox1->clear();
    ListBox1->addItems(entries);
    setWindowTitle(caption);
    if (exec() != QDialog::Accepted || !ListBox1->currentItem())
        return std::nullopt;
    return ListBox1->currentItem()->text();
}

} // namespace statdesk
