#include "EHttpException.h"

namespace statdesk {

EHttpException::EHttpException(int statusCode, const QString& reason)
    : std::runtime_error(reason.toStdString()), m_statusCode(statusCode), m_reason(reason) {}

} // namespace statdesk
