// Loaded into the real program (LD_PRELOAD) by the start-up tests: reports on standard error every
// top-level window the program shows, with the texts of its labels, and closes it again, so that a
// run with windows that wait for the user still ends on its own.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMetaObject>
#include <QTextStream>
#include <QWidget>

namespace {

class StartWatch final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Sent once the window's own show handling is over: a window that fetches its text while it
        // shows has it by now, and a dialog's exec() starts its event loop next, which the queued
        // close then ends.
        if (event->type() != QEvent::ShowToParent || !widget || !widget->isWindow())
            return false;
        QStringList texts;
        for (const QLabel* label : widget->findChildren<QLabel*>())
            if (!label->text().isEmpty())
                texts << label->text();
        QTextStream(stderr) << "shown: " << widget->metaObject()->className() << " | "
                            << texts.join(QStringLiteral(" | ")) << Qt::endl;
        if (qobject_cast<QDialog*>(widget))
            QMetaObject::invokeMethod(widget, "reject", Qt::QueuedConnection);
        else
            QMetaObject::invokeMethod(widget, "close", Qt::QueuedConnection);
        return false;
    }
};

void watchStart() {
    QCoreApplication::instance()->installEventFilter(new StartWatch(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchStart)
