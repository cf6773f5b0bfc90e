#include "AboutBox.h"

#include "LinkLabel.h"
#include "MakerAddresses.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace statdesk {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(QStringLiteral("Statdesk"), this);
    QFont big = product->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    product->setFont(big);
    layout->addWidget(product);
    Label10 = new QLabel(this);
    Label10->setObjectName(QStringLiteral("Label10"));
    layout->addWidget(Label10);
    layout->addWidget(new QLabel(
        QStringLiteral("To see baseball, basketball and hockey online databases, please visit"), this));
    auto* sites = new QHBoxLayout;
    sites->addWidget(new LinkLabel(QStringLiteral("Baseball"), maker::baseballSite(), this));
    sites->addWidget(new LinkLabel(QStringLiteral("Basketball"), maker::basketballSite(), this));
    sites->addWidget(new LinkLabel(QStringLiteral("Hockey"), maker::hockeySite(), this));
    sites->addStretch();
    layout->addLayout(sites);
    auto* problems = new QLabel(
        QStringLiteral("Any problems with these databases? Any statistics you think in error?  Any stats you "
                       "believe missing?  Would you like to have these databases run off of your website? "),
        this);
    problems->setWordWrap(true);
    layout->addWidget(problems);
    auto* mail = new QHBoxLayout;
    mail->addWidget(new QLabel(QStringLiteral("Email us at:"), this));
    mail->addWidget(new LinkLabel(maker::mailAddress().mid(7), maker::mailAddress(), this));
    mail->addStretch();
    layout->addLayout(mail);
    layout->addWidget(
        new QLabel(QStringLiteral("Statdesk is written and kept by its own small team."), this));
    auto* partner = new QHBoxLayout;
    partner->addWidget(new QLabel(QStringLiteral("Statistics research with our partners:"), this));
    partner->addWidget(new LinkLabel(QStringLiteral("partner site"), maker::partnerSite(), this));
    partner->addStretch();
    layout->addLayout(partner);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace statdesk
