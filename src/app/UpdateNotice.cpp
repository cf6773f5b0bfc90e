#include "UpdateNotice.h"

#include "BrandRecord.h"
#include "Hosts.h"
#include "MakerAddresses.h"
#include "Seams.h"
#include "THttpCli.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace statdesk {
namespace {

QLabel* line(QWidget* parent, const char* name, const QString& text, int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(19);
    label->setFont(font);
    label->setGeometry(0, top, 670, 30);
    return label;
}

} // namespace

TForm12::TForm12(QWidget* parent) : QDialog(parent), HttpCli1(new THttpCli(this)) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(maker::siteAddress() + QStringLiteral(" software update"));
    setFixedSize(670, 161); // an outer size of 678 x 188 with its frame
    Label5 = line(this, "Label5", QStringLiteral("Your version of the Statdesk"), 8);
    Label2 = line(this, "Label2",
                  QStringLiteral("executable file is out of date - new features have been added."), 44);
    Label4 = line(
        this, "Label4",
        QStringLiteral("Please visit our website at the link below to download the latest version."), 80);
    Label3 = line(this, "Label3", QString(), 116);
    Label3->setStyleSheet(QStringLiteral("color: blue"));
    QFont link = Label3->font();
    link.setUnderline(true);
    Label3->setFont(link);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->installEventFilter(this);
}

TForm12::~TForm12() = default;

void TForm12::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
    fitAndCentre();
}

// The notice comes before the main window is shown, so it centres itself on the screen, and it
// widens for lines that the platform's font draws wider than the window.
void TForm12::fitAndCentre() {
    int widest = 670;
    for (QLabel* label : {Label5, Label2, Label4, Label3})
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(label->text()) + 24);
    setFixedSize(widest, height());
    widenLines();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TForm12::widenLines() {
    for (QLabel* label : {Label5, Label2, Label4, Label3})
        label->setFixedWidth(std::max(0, width() - 11));
}

// The lines span the window; the maker's notice text replaces them line by line, as far as it goes.
void TForm12::FormActivate() {
    widenLines();
    HttpCli1->setURL(hosts::site() + QStringLiteral("/basketballout.txt"));
    const std::optional<QStringList> reply = getReplyLines(*HttpCli1);
    if (!reply)
        return;
    const QStringList& lines = *reply;
    QLabel* const labels[] = {Label5, Label2, Label4};
    for (int i = 0; i < 3 && i < lines.size(); ++i)
        labels[i]->setText(lines[i]);
    if (lines.size() >= 4)
        Label3->setText(lines[3] == QLatin1String("<URL>") ? brandRecord().UpdateAddress : lines[3]);
}

// Whatever the link line says, it leads to the maker's home page.
void TForm12::Label3Click() {
    seams::opener().open(maker::homePage());
}

bool TForm12::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        Label3Click();
    return QDialog::eventFilter(watched, event);
}

} // namespace statdesk
