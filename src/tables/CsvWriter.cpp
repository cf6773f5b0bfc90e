#include "CsvWriter.h"

#include <utility>

namespace statdesk {

CsvWriter::CsvWriter(char separator, std::string_view lineEnd) : m_separator(separator), m_lineEnd(lineEnd) {}

void CsvWriter::separate() {
    if (m_rowStarted)
        m_out.append(m_separator);
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
        m_out.append(text.data(), static_cast<qsizetype>(text.size()));
        return;
    }
    m_out.append('"');
    for (char c : text) {
        if (c == '"')
            m_out.append('"');
        m_out.append(c);
    }
    m_out.append('"');
}

void CsvWriter::endRow() {
    m_out.append(m_lineEnd.data(), static_cast<qsizetype>(m_lineEnd.size()));
    m_rowStarted = false;
}

QByteArray CsvWriter::take() {
    return std::exchange(m_out, QByteArray());
}

} // namespace statdesk
