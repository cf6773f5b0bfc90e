#include "Seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QUrl>

namespace statdesk {
namespace {

class SystemClock final : public Clock {
  public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class SystemRandom final : public RandomSource {
  public:
    void seed(quint64 value) override { m_generator.seed(static_cast<quint32>(value ^ (value >> 32))); }
    int bounded(int bound) override { return bound <= 0 ? 0 : m_generator.bounded(bound); }

  private:
    QRandomGenerator m_generator{static_cast<quint32>(QDateTime::currentMSecsSinceEpoch())};
};

class DesktopOpener final : public AddressOpener {
  public:
    void open(const QString& address) override {
        QUrl url = QUrl::fromUserInput(address);
        QDesktopServices::openUrl(url);
    }
};

class MessageBoxPresenter final : public MessagePresenter {
  public:
    void showError(const QString& text) override {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), text);
    }
    void showMessage(const QString& caption, const QString& text) override {
        QMessageBox::information(QApplication::activeWindow(), caption, text);
    }
    bool askOkCancel(const QString& caption, const QString& text) override {
        return QMessageBox::information(QApplication::activeWindow(), caption, text,
                                        QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
    }
};

class DialogFileChooser final : public FileChooser {
  public:
    QString openFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) override {
        return choose(parent, filter, defaultSuffix, QFileDialog::AcceptOpen, QString());
    }
    QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                         const QString& suggestedName) override {
        return choose(parent, filter, defaultSuffix, QFileDialog::AcceptSave, suggestedName);
    }

  private:
    // A dialog object rather than the static helpers: only it takes a default suffix.
    static QString choose(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                          QFileDialog::AcceptMode mode, const QString& suggestedName) {
        QFileDialog dialog(parent, QString(), QString(), filter);
        if (!suggestedName.isEmpty())
            dialog.selectFile(suggestedName);
        dialog.setAcceptMode(mode);
        dialog.setDefaultSuffix(defaultSuffix);
        if (mode == QFileDialog::AcceptOpen)
            dialog.setFileMode(QFileDialog::ExistingFile);
        else
            dialog.setOption(QFileDialog::DontConfirmOverwrite); // saving overwrites without a question
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }
};

template <typename Interface, typename Real> struct Slot {
    Real real;
    Interface* current = nullptr;
    Interface& get() { return current ? *current : real; }
};

Slot<Clock, SystemClock>& clockSlot() {
    static Slot<Clock, SystemClock> slot;
    return slot;
}
Slot<RandomSource, SystemRandom>& randomSlot() {
    static Slot<RandomSource, SystemRandom> slot;
    return slot;
}
Slot<AddressOpener, DesktopOpener>& openerSlot() {
    static Slot<AddressOpener, DesktopOpener> slot;
    return slot;
}
Slot<MessagePresenter, MessageBoxPresenter>& presenterSlot() {
    static Slot<MessagePresenter, MessageBoxPresenter> slot;
    return slot;
}

Slot<FileChooser, DialogFileChooser>& fileChooserSlot() {
    static Slot<FileChooser, DialogFileChooser> slot;
    return slot;
}

} // namespace

namespace seams {
Clock& clock() {
    return clockSlot().get();
}
RandomSource& random() {
    return randomSlot().get();
}
AddressOpener& opener() {
    return openerSlot().get();
}
MessagePresenter& presenter() {
    return presenterSlot().get();
}
FileChooser& fileChooser() {
    return fileChooserSlot().get();
}
void setClock(Clock* clock) {
    clockSlot().current = clock;
}
void setRandom(RandomSource* random) {
    randomSlot().current = random;
}
void setOpener(AddressOpener* opener) {
    openerSlot().current = opener;
}
void setPresenter(MessagePresenter* presenter) {
    presenterSlot().current = presenter;
}
void setFileChooser(FileChooser* chooser) {
    fileChooserSlot().current = chooser;
}
} // namespace seams

} // namespace statdesk
