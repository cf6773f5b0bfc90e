#pragma once

#include <QDateTime>
#include <QString>

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
    // A modal Yes/No question; true for Yes.
    virtual bool askYesNo(const QString& caption, const QString& text) = 0;
};

namespace seams {
Clock& clock();
RandomSource& random();
AddressOpener& opener();
MessagePresenter& presenter();

// Replace a seam; nullptr restores the real one. The caller keeps ownership.
void setClock(Clock* clock);
void setRandom(RandomSource* random);
void setOpener(AddressOpener* opener);
void setPresenter(MessagePresenter* presenter);
} // namespace seams

} // namespace statdesk
