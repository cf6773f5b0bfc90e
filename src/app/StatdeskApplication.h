#pragma once

#include <QApplication>

namespace statdesk {

// Errors are exceptions: one thrown from an event handler ends that handler and is shown in the
// standard error message box; the program goes on.
class StatdeskApplication final : public QApplication {
    Q_OBJECT
  public:
    StatdeskApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

void showHandlerError(const char* what);

// Runs an action the way an event handler runs: an exception it throws is shown, not propagated.
template <typename Action> void runHandler(Action&& action) {
    try {
        action();
    } catch (const std::exception& error) {
        showHandlerError(error.what());
    }
}

} // namespace statdesk
