#pragma once

#include <QDialog>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

namespace statdesk::test {

// Drives a modal dialog from inside its own event loop: each time the dialog is shown the next
// queued step runs on it. A dialog still open after its step (or shown with no step left) is closed
// with the fallback result, so a test never hangs on a dialog.
class DialogDriver final : public QObject {
  public:
    using Step = std::function<void(QDialog& dialog)>;

    explicit DialogDriver(QDialog* dialog, int fallbackResult = QDialog::Rejected);
    ~DialogDriver() override;
    Q_DISABLE_COPY_MOVE(DialogDriver)

    void then(Step step) { m_steps.append(std::move(step)); }
    int shown() const { return m_shown; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QDialog> m_dialog;
    QList<Step> m_steps;
    int m_fallback;
    int m_shown = 0;
};

} // namespace statdesk::test
