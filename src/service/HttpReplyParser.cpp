#include "HttpReplyParser.h"

#include "Windows1252.h"

#include <algorithm>

namespace statdesk {
namespace {

// Bytes of line from position start on (none when the line is shorter).
std::string_view textFrom(const QByteArray& line, qsizetype start) {
    if (start >= line.size())
        return {};
    return std::string_view(line.constData() + start, static_cast<size_t>(line.size() - start));
}

} // namespace

bool HttpReplyParser::feed(QByteArrayView data) {
    if (failed())
        return false;
    if (!data.isEmpty())
        m_receivedAny = true;
    while (!m_inBody && !data.isEmpty()) {
        const qsizetype lf = data.indexOf('\n');
        m_line += lf >= 0 ? data.first(lf) : data;
        data = lf >= 0 ? data.sliced(lf + 1) : QByteArrayView();

        // A reply starting with the tag has no header: all of it is body, from its first byte.
        if (m_firstLine && m_line.size() >= 6 && m_line.first(6).toUpper() == "<HTML>") {
            m_inBody = true;
            QByteArray whole = m_line;
            if (lf >= 0)
                whole += '\n';
            m_line.clear();
            return appendBody(whole) && appendBody(data);
        }
        if (lf < 0) {
            const qsizetype length = m_line.endsWith('\r') ? m_line.size() - 1 : m_line.size();
            if (length > kMaxLineLength) {
                m_error = QStringLiteral("HTTP line too long");
                return false;
            }
            return true;
        }
        if (m_line.endsWith('\r'))
            m_line.chop(1);
        if (m_line.size() > kMaxLineLength) {
            m_error = QStringLiteral("HTTP line too long");
            return false;
        }
        if (!headerLine(std::exchange(m_line, QByteArray())))
            return false;
    }
    return data.isEmpty() || appendBody(data);
}

bool HttpReplyParser::finish() {
    if (failed())
        return false;
    if (!m_inBody && !m_line.isEmpty() && !headerLine(std::exchange(m_line, QByteArray())))
        return false;
    // A host that dies before the empty line sent no whole reply, never an empty page.
    if (!m_inBody) {
        m_error = QStringLiteral("reply ended inside its header");
        return false;
    }
    if (m_contentLength >= 0 && m_body.size() < m_contentLength) {
        m_error = QStringLiteral("reply shorter than its Content-Length: %1 of %2 bytes")
                      .arg(m_body.size())
                      .arg(m_contentLength);
        m_body.clear();
        return false;
    }
    return !failed();
}

bool HttpReplyParser::headerLine(QByteArray line) {
    const bool first = std::exchange(m_firstLine, false);
    const bool isStatusLine = line.startsWith("HTTP/1.0") || line.startsWith("HTTP/1.1");
    // Without a status line the bytes are no HTTP reply: a host that answers so is a failed host.
    if (first && !isStatusLine) {
        m_error = QStringLiteral("no HTTP status line in the reply");
        return false;
    }
    if (isStatusLine)
        return statusLine(line);
    if (line.isEmpty()) {
        m_inBody = true;
        return true;
    }
    const qsizetype colon = line.indexOf(':');
    if (colon < 0)
        return true;
    const QByteArray name = line.left(colon).trimmed().toLower();
    if (name == "content-length")
        return contentLengthLine(QByteArrayView(line).sliced(colon + 1).trimmed());
    if (name == "location") {
        qsizetype start = colon + 1;
        while (start < line.size() && (line[start] == ' ' || line[start] == '\t'))
            ++start;
        m_location = fromWindows1252(textFrom(line, start));
    }
    return true;
}

bool HttpReplyParser::statusLine(const QByteArray& line) {
    const QByteArray code = line.mid(9, 3);
    const bool digits = code.size() == 3 && code[0] >= '1' && code[0] <= '5' &&
                        std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (line.size() < 12 || line[8] != ' ' || !digits || (line.size() > 12 && line[12] != ' ')) {
        m_error = QStringLiteral("malformed HTTP status line");
        return false;
    }
    m_statusCode = code.toInt();
    m_reason = fromWindows1252(textFrom(line, 13));
    return m_statusCode < 400;
}

// The body still runs until the close; the length only tells a reply cut short from a whole one.
// A value that is no number is ignored, as servers send them.
bool HttpReplyParser::contentLengthLine(QByteArrayView value) {
    constexpr qsizetype kMaxDigits = 18; // fits a qsizetype
    const bool digits = !value.isEmpty() && value.size() <= kMaxDigits &&
                        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits)
        return true;
    m_contentLength = value.toLongLong();
    if (m_contentLength > m_maxBodySize) {
        m_error = QStringLiteral("reply too large");
        return false;
    }
    return true;
}

bool HttpReplyParser::appendBody(QByteArrayView data) {
    if (m_body.size() + data.size() > m_maxBodySize) {
        m_error = QStringLiteral("reply too large");
        m_body.clear();
        return false;
    }
    m_body += data;
    return true;
}

} // namespace statdesk
