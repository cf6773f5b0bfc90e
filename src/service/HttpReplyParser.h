#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace statdesk {

// Reads the bytes of one HTTP reply as they arrive: header lines, then the body.
class HttpReplyParser final {
  public:
    static constexpr qsizetype kMaxLineLength = 8192;
    // The largest reply the service gives, a page of 1,000 player rows, is under 1 MiB.
    static constexpr qsizetype kMaxBodySize = qsizetype(16) * 1024 * 1024;

    explicit HttpReplyParser(qsizetype maxBodySize = kMaxBodySize) : m_maxBodySize(maxBodySize) {}

    // False once the reply has failed: a too long line, a too large body (or Content-Length), a
    // first line that is no status line, or a status of 400 or more.
    bool feed(QByteArrayView data);
    // The server closed the connection: reads an unended last header line; false when the reply
    // failed, for instance because it never gave a status line or its body is shorter than its
    // Content-Length (a server that died in the middle of it).
    bool finish();

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
    bool statusLine(const QByteArray& line);
    bool appendBody(QByteArrayView data);
    bool contentLengthLine(QByteArrayView value);

    qsizetype m_maxBodySize;
    bool m_inBody = false;
    bool m_firstLine = true;
    bool m_receivedAny = false;
    QByteArray m_line;
    QByteArray m_body;
    qsizetype m_contentLength = -1; // -1: not given, the body ends with the connection
    int m_statusCode = 0;
    QString m_reason;
    QString m_location;
    QString m_error;
};

} // namespace statdesk
