#pragma once

#include "ProxySettings.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace statdesk {

// The proxy settings dialog. Every way of closing it saves "PROXY.DAT".
class TForm14 final : public QDialog {
    Q_OBJECT
  public:
    explicit TForm14(QWidget* parent = nullptr);

    ProxySettings shownSettings() const;
    void showSettings(const ProxySettings& settings);
    // Saves what the dialog shows; a failure goes to the standard error box and keeps the old file.
    void save();
    void done(int result) override;

    QCheckBox* CheckBox1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;     // address
    QLineEdit* MaskEdit1 = nullptr; // port
    QLineEdit* Edit2 = nullptr;     // user name
    QLineEdit* Edit3 = nullptr;     // password

  private:
    void CheckBox1Click();
};

// Makes sure "PROXY.DAT" exists (asking the user when it does not), loads it into the process-wide
// settings and shows them in the dialog. Throws when the file cannot be read.
void loadProxySettingsAtStartup(TForm14& dialog, bool ending);

} // namespace statdesk
