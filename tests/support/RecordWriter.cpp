#include "RecordWriter.h"

#include <QFile>

namespace statdesk::test {

// Kept apart from the brand library on purpose: tests must not share the offset with the code under test.
constexpr qint64 RecordOffset = 1'764'352;

RecordWriter& RecordWriter::byte(int value) {
    m_bytes.append(char(quint8(value)));
    return *this;
}

RecordWriter& RecordWriter::shortString(const QByteArray& text) {
    byte(int(text.size()));
    m_bytes.append(text);
    return *this;
}

RecordWriter& RecordWriter::colour(quint32 reference) {
    for (int shift = 24; shift >= 0; shift -= 8)
        byte(int((reference >> shift) & 0xFF));
    return *this;
}

RecordWriter& RecordWriter::length24(quint32 length) {
    for (int shift = 16; shift >= 0; shift -= 8)
        byte(int((length >> shift) & 0xFF));
    return *this;
}

RecordWriter& RecordWriter::raw(const QByteArray& bytes) {
    m_bytes.append(bytes);
    return *this;
}

QByteArray RecordWriter::cutAt(qint64 length) const {
    return m_bytes.left(length);
}

QByteArray RecordWriter::program(const QByteArray& record) {
    return QByteArray(RecordOffset, '\0') + record;
}

bool RecordWriter::writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace statdesk::test
