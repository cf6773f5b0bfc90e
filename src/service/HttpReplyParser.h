#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace statdesk {

// Reads the bytes of one HTTP reply as they arrive: header lines, then the body.
class HttpReplyParser final {
  public:
    static constexpr qsizetype kMaxLineLength = 8192;
    static constexpr qsizetype kMaxBodySize = qsizetype(256) * 1024 * 1024;

    explicit HttpReplyParser(qsizetype maxBodySize = kMaxBodySize) : m_maxBodySize(maxBodySize) {}

    // False once the reply has failed: a too long line, a too large body, or a status of 400 or more.
    bool feed(QByteArrayView data);

    bool failed() const { return !m_error.isEmpty() || m_statusCode >= 400; }
    // Reason of a failure that is not the reply's own status.
    QString error() const { return m_error; }
    int statusCode() const { return m_statusCode; }
    QString reason() const { return m_reason; }
    QString location() const { return m_location; }
    bool receivedAny() const { return m_receivedAny; }
    QByteArray& body() { return m_body; }

  private:
    bool headerLine(QByteArray line);
    bool appendBody(QByteArrayView data);

    qsizetype m_maxBodySize;
    bool m_inBody = false;
    bool m_firstLine = true;
    bool m_receivedAny = false;
    QByteArray m_line;
    QByteArray m_body;
    int m_statusCode = 0;
    QString m_reason;
    QString m_location;
    QString m_error;
};

} // namespace statdesk
