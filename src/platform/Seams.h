#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

// The few places where the program meets the world outside itself. Each is set once at start-up;
// tests put recorders in their place so that nothing blocks on a modal box or opens a browser.
namespace statdesk {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void seed(quint64 value) = 0;
    // A whole number from 0 to bound - 1.
    virtual int bounded(int bound) = 0;
};

class AddressOpener {
  public:
    virtual ~AddressOpener() = default;
    // The shell's "open" for a web address, a mail address or a document.
    virtual void open(const QString& address) = 0;
};

class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    // The application's standard error message box.
    virtual void showError(const QString& text) = 0;
    // A modal message box with a caption and an OK button.
    virtual void showMessage(const QString& caption, const QString& text) = 0;
    // A modal message box with OK and Cancel buttons; true for OK.
    virtual bool askOkCancel(const QString& caption, const QString& text) = 0;
};

class FileChooser {
  public:
    virtual ~FileChooser() = default;
    // The common open and save file dialogs; filter in Qt's form, suffix without the dot; the save
    // dialog offers suggestedName when there is one. An empty name means the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                 const QString& suggestedName) = 0;
};

namespace seams {
Clock& clock();
RandomSource& random();
AddressOpener& opener();
MessagePresenter& presenter();
FileChooser& fileChooser();

// Replace a seam; nullptr restores the real one. The caller keeps ownership.
void setClock(Clock* clock);
void setRandom(RandomSource* random);
void setOpener(AddressOpener* opener);
void setPresenter(MessagePresenter* presenter);
void setFileChooser(FileChooser* chooser);
} // namespace seams

} // namespace statdesk
