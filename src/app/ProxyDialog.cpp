#include "ProxyDialog.h"

#include "ProxyFile.h"
#include "StartupState.h"
#include "StatdeskApplication.h"

#include <QCheckBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace statdesk {
namespace {

QLabel* centredLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    return label;
}

QLineEdit* edit(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    return field;
}

} // namespace

TForm14::TForm14(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Proxy settings"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        centredLabel(QStringLiteral("Label1"),
                     QStringLiteral("Welcome to the Orvella.  If you are not using a proxy server or do "
                                    "not what a proxy server is click OK to use the database."),
                     this));
    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->addWidget(
        centredLabel(QStringLiteral("Label6"),
                     QStringLiteral("If you are using a proxy server, to use the database please click "
                                    "YES and type in your proxy settings.  Your ISP can provide these "
                                    "values for you."),
                     this));
    CheckBox1 = new QCheckBox(QStringLiteral("Yes, I connect to the Internet using a proxy server."), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(CheckBox1);

    GroupBox1 = new QGroupBox(QStringLiteral("Proxy Settings"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* fields = new QFormLayout(GroupBox1);
    Edit1 = edit(QStringLiteral("Edit1"), GroupBox1);
    MaskEdit1 = edit(QStringLiteral("MaskEdit1"), GroupBox1);
    MaskEdit1->setMaxLength(5);
    Edit2 = edit(QStringLiteral("Edit2"), GroupBox1);
    Edit3 = edit(QStringLiteral("Edit3"), GroupBox1);
    Edit3->setEchoMode(QLineEdit::Password);
    const auto addField = [fields](const char* labelName, const char* caption, QLineEdit* field) {
        auto* label = new QLabel(QString::fromLatin1(caption), field->parentWidget());
        label->setObjectName(QString::fromLatin1(labelName));
        label->setBuddy(field);
        fields->addRow(label, field);
    };
    addField("Label2", "Address", Edit1);
    addField("Label3", "Port", MaskEdit1);
    addField("Label4", "User Name", Edit2);
    addField("Label5", "Password", Edit3);
    layout->addWidget(GroupBox1);

    connect(CheckBox1, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    CheckBox1Click();
}

// Disabling the group disables its labels and fields with it; their texts stay.
void TForm14::CheckBox1Click() {
    GroupBox1->setEnabled(CheckBox1->isChecked());
}

ProxySettings TForm14::shownSettings() const {
    return {CheckBox1->isChecked(), Edit1->text(), MaskEdit1->text(), Edit2->text(), Edit3->text()};
}

void TForm14::showSettings(const ProxySettings& settings) {
    CheckBox1->setChecked(settings.enabled);
    CheckBox1Click();
    Edit1->setText(settings.address);
    MaskEdit1->setText(settings.port);
    Edit2->setText(settings.userName);
    Edit3->setText(settings.password);
}

void TForm14::save() {
    runHandler([this] { writeProxyFile(QString::fromLatin1(kProxyFileName), shownSettings()); });
}

void TForm14::done(int result) {
    save();
    QDialog::done(result);
}

// Makes sure "PROXY.DAT" exists (asking the user when it does not), then loads it. A program that is
// ending because it is out of date still writes the file, without waiting for the user.
void loadProxySettingsAtStartup(TForm14& dialog, bool ending) {
    const QString path = QString::fromLatin1(kProxyFileName);
    if (!QFile::exists(path)) {
        if (ending)
            dialog.save();
        else
            dialog.exec();
    }
    proxySettings() = readProxyFile(path);
    dialog.showSettings(proxySettings());
}

} // namespace statdesk
