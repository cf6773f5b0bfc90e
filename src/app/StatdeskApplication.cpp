#include "StatdeskApplication.h"

#include "Seams.h"

namespace statdesk {

StatdeskApplication::StatdeskApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool StatdeskApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showHandlerError(error.what());
    } catch (...) {
        showHandlerError("Unknown error");
    }
    return false;
}

void showHandlerError(const char* what) {
    seams::presenter().showError(QString::fromUtf8(what));
}

} // namespace statdesk
