#pragma once

#include <QByteArrayView>
#include <QStringList>

#include <string_view>
#include <vector>

namespace statdesk {

// Walks reply text line by line: a line ends at CR LF, a lone LF or a lone CR; a last line without
// end counts; a NUL ends the text. The views point into the given bytes.
class ReplyLineCursor final {
  public:
    explicit ReplyLineCursor(QByteArrayView text);
    bool next(std::string_view& line);
    // Where the next line starts.
    const char* position() const { return m_position; }

  private:
    const char* m_position;
    const char* m_end;
};

// All lines at once; the vector is reused to avoid reallocating.
void splitReplyLines(QByteArrayView text, std::vector<std::string_view>& lines);

// All lines as text, read as Windows-1252.
QStringList replyTextLines(QByteArrayView text);

} // namespace statdesk
