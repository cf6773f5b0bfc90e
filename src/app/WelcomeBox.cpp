#include "WelcomeBox.h"

#include "LinkLabel.h"
#include "MakerAddresses.h"

#include <QFrame>
#include <QPushButton>
#include <QVBoxLayout>

namespace statdesk {

TForm17::TForm17(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Welcome to the Korvane Online Sports Stats Database"));
    auto* layout = new QVBoxLayout(this);
    auto* custom = new QLabel(
        QStringLiteral(
            "If you would like a customized version of this database for your website, please contact:"),
        this);
    custom->setWordWrap(true);
    layout->addWidget(custom);
    layout->addWidget(new LinkLabel(maker::mailAddress().mid(7), maker::mailAddress(), this));
    auto* invitation = new QLabel(
        QStringLiteral("You can also sign up with our content-syndication network through the link below."),
        this);
    invitation->setWordWrap(true);
    layout->addWidget(invitation);

    auto* panel = new QFrame(this);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(new QLabel(QStringLiteral("Licensed content"), panel));
    auto* licensed = new QLabel(
        QStringLiteral("This content can be integrated on your site as part of the network."), panel);
    licensed->setWordWrap(true);
    panelLayout->addWidget(licensed);
    panelLayout->addWidget(new LinkLabel(QStringLiteral("Learn more"), maker::syndicationSite(), panel));
    layout->addWidget(panel);

    layout->addWidget(
        new QLabel(QStringLiteral("Please see the database instructions file for more information."), this));
    layout->addWidget(new QLabel(QStringLiteral("You need to be online to use these databases."), this));
    auto* proceed = new QPushButton(QStringLiteral("Click here to continue"), this);
    proceed->setDefault(true);
    connect(proceed, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(proceed);
}

} // namespace statdesk
