#include "ReplyLines.h"

#include "Windows1252.h"

#include <cstring>

namespace statdesk {

ReplyLineCursor::ReplyLineCursor(QByteArrayView text)
    : m_position(text.data()), m_end(text.data() + text.size()) {
    if (text.isEmpty())
        return;
    if (const void* nul = std::memchr(m_position, '\0', static_cast<size_t>(text.size())))
        m_end = static_cast<const char*>(nul);
}

bool ReplyLineCursor::next(std::string_view& line) {
    if (m_position >= m_end)
        return false;
    const char* p = m_position;
    while (p < m_end && *p != '\n' && *p != '\r')
        ++p;
    line = std::string_view(m_position, static_cast<size_t>(p - m_position));
    if (p < m_end && *p == '\r' && p + 1 < m_end && p[1] == '\n')
        ++p;
    m_position = p < m_end ? p + 1 : m_end;
    return true;
}

void splitReplyLines(QByteArrayView text, std::vector<std::string_view>& lines) {
    lines.clear();
    ReplyLineCursor cursor(text);
    std::string_view line;
    while (cursor.next(line))
        lines.push_back(line);
}

QStringList replyTextLines(QByteArrayView text) {
    QStringList lines;
    ReplyLineCursor cursor(text);
    for (std::string_view line; cursor.next(line);)
        lines.append(fromWindows1252(line));
    return lines;
}

} // namespace statdesk
