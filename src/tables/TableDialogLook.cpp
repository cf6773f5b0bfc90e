#include "TableDialogLook.h"

#include <QDialog>
#include <QPushButton>

namespace statdesk {

void setUpTableDialog(QDialog& dialog, const char* name, const QString& title, int width, int height) {
    dialog.setObjectName(QString::fromLatin1(name));
    dialog.setWindowTitle(title);
    QFont bold(QStringLiteral("Sans Serif"), 8);
    bold.setBold(true);
    dialog.setFont(bold);
    dialog.setFixedSize(width, height);
}

std::pair<QPushButton*, QPushButton*> addOkCancel(QDialog& dialog, const QRect& ok, const QRect& cancel) {
    auto* okButton = new QPushButton(QStringLiteral("OK"), &dialog);
    okButton->setObjectName(QStringLiteral("OKBtn"));
    okButton->setGeometry(ok);
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancelButton->setObjectName(QStringLiteral("CancelBtn"));
    cancelButton->setGeometry(cancel);
    QObject::connect(okButton, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancelButton, &QPushButton::clicked, &dialog, &QDialog::reject);
    return {okButton, cancelButton};
}

} // namespace statdesk
