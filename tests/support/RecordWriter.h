#pragma once

#include <QByteArray>
#include <QString>

namespace statdesk::test {

// Builds brand record bytes one field at a time, with any values at all, so a test can write odd
// bytes, mark positions and cut the record anywhere.
class RecordWriter {
  public:
    RecordWriter& byte(int value);
    RecordWriter& shortString(const QByteArray& text);
    RecordWriter& colour(quint32 reference);
    RecordWriter& length24(quint32 length);
    RecordWriter& raw(const QByteArray& bytes);

    qint64 size() const { return m_bytes.size(); }
    const QByteArray& bytes() const { return m_bytes; }
    // The first `length` bytes: a record that ends there.
    QByteArray cutAt(qint64 length) const;

    // A program file carrying `record`: zero bytes up to the record offset, then the record.
    static QByteArray program(const QByteArray& record);
    // Writes `bytes` to `path`; false when the file cannot be written.
    static bool writeFile(const QString& path, const QByteArray& bytes);

  private:
    QByteArray m_bytes;
};

} // namespace statdesk::test
