#pragma once

#include <QStringView>

#include <string>
#include <string_view>

namespace statdesk {

// Delimited text in UTF-8: a field holding the separator, a quote, CR or LF is quoted, its quotes
// doubled (RFC 4180); every row ends with the line end given. With "," and CR LF it is CSV; with a
// tab, the text spreadsheets paste into cells.
class CsvWriter final {
  public:
    CsvWriter(char separator, std::string_view lineEnd);

    void addField(QStringView text);
    // Text already in UTF-8, such as the service's numbers.
    void addUtf8Field(std::string_view text);
    void endRow();

    // What was written since the last clear.
    std::string_view bytes() const { return m_out; }
    size_t size() const { return m_out.size(); }
    // Empties the writer and keeps its memory for what follows.
    void clear() { m_out.clear(); }
    void reserve(size_t bytes) { m_out.reserve(bytes); }

  private:
    void separate();

    char m_separator;
    std::string_view m_lineEnd;
    std::string m_out;
    bool m_rowStarted = false;
};

} // namespace statdesk
