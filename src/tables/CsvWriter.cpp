#include "CsvWriter.h"

namespace statdesk {

CsvWriter::CsvWriter(char separator, std::string_view lineEnd) : m_separator(separator), m_lineEnd(lineEnd) {}

void CsvWriter::separate() {
    if (m_rowStarted)
        m_out.push_back(m_separator);
    m_rowStarted = true;
}

void CsvWriter::addField(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    addUtf8Field(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

void CsvWriter::addUtf8Field(std::string_view text) {
    separate();
    bool quoted = false;
    for (char c : text) {
        if (c == m_separator || c == '"' || c == '\r' || c == '\n') {
            quoted = true;
            break;
        }
    }
    if (!quoted) {
        m_out.append(text);
        return;
    }
    m_out.push_back('"');
    for (char c : text) {
        if (c == '"')
            m_out.push_back('"');
        m_out.push_back(c);
    }
    m_out.push_back('"');
}

void CsvWriter::endRow() {
    m_out.append(m_lineEnd);
    m_rowStarted = false;
}

} // namespace statdesk
