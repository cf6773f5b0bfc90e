#include "PreviewWindow.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

namespace statdesk {

TForm15::TForm15(QWidget* parent)
    : QDialog(parent), m_image(kImageWidth, kImageHeight, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    resize(881, 627);
    m_image.fill(Qt::white);

    Button1 = new QPushButton(QStringLiteral("&Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(416, 0, 110, 25);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(0, 24, 865, 585);
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(kImageWidth, kImageHeight);
    Image1->setContentsMargins(-3, 0, 0, 0);
    ScrollBox1->setWidget(Image1);
}

TForm15::~TForm15() = default;

QFont TForm15::previewFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(8);
    return font;
}

void TForm15::beginPass() {
    m_image.fill(Qt::white);
}

void TForm15::showPreview() {
    Image1->setPixmap(QPixmap::fromImage(m_image));
    ScrollBox1->horizontalScrollBar()->setValue(0);
    exec();
}

// The scroll box follows the window, which the main window sizes to itself.
void TForm15::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ScrollBox1->resize(std::max(0, width() - 10), std::max(0, height() - 45));
    Button1->setFixedWidth(std::max(50, 110 + (width() - 881)));
}

} // namespace statdesk
