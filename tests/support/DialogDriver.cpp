#include "DialogDriver.h"

#include <QEvent>
#include <QTimer>

namespace statdesk::test {

DialogDriver::DialogDriver(QDialog* dialog, int fallbackResult)
    : m_dialog(dialog), m_fallback(fallbackResult) {
    dialog->installEventFilter(this);
}

DialogDriver::~DialogDriver() {
    if (m_dialog)
        m_dialog->removeEventFilter(this);
}

bool DialogDriver::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_dialog && event->type() == QEvent::Show) {
        ++m_shown;
        Step step = m_steps.isEmpty() ? Step() : m_steps.takeFirst();
        // After the show has finished, so that the dialog's own show handling has run.
        QTimer::singleShot(0, m_dialog, [this, step] {
            if (step)
                step(*m_dialog);
            if (m_dialog && m_dialog->isVisible())
                m_dialog->done(m_fallback);
        });
    }
    return false;
}

} // namespace statdesk::test
