#include "BrandToolError.h"

namespace statdesk {

BrandToolError::BrandToolError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString BrandToolError::message() const {
    return QString::fromStdString(what());
}

} // namespace statdesk
