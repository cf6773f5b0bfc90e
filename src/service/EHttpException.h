#pragma once

#include <QString>

#include <stdexcept>

namespace statdesk {

// A failed HTTP exchange: the reason text (also what()) and the status code.
class EHttpException : public std::runtime_error {
  public:
    EHttpException(int statusCode, const QString& reason);

    int statusCode() const { return m_statusCode; }
    QString reason() const { return m_reason; }

  private:
    int m_statusCode;
    QString m_reason;
};

} // namespace statdesk
