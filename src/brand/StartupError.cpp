#include "StartupError.h"

namespace statdesk {

StartupError::StartupError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString StartupError::message() const {
    return QString::fromStdString(what());
}

} // namespace statdesk
