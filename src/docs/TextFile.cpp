#include "TextFile.h"

#include "Windows1252.h"

#include <QFile>

#include <stdexcept>

namespace statdesk {

QStringList readDocumentLines(const QString& path, bool complemented) {
    QFile file(path);
    if (!file.exists())
        throw std::runtime_error("File not found");
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
    const QByteArray bytes = file.readAll();
    QStringList lines;
    qsizetype start = 0;
    const auto take = [&](qsizetype end) {
        QByteArray line = bytes.mid(start, end - start);
        if (complemented)
            for (char& byte : line)
                byte = static_cast<char>(255 - static_cast<unsigned char>(byte));
        lines.append(fromWindows1252(std::string_view(line.constData(), static_cast<size_t>(line.size()))));
    };
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        take(i);
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        take(bytes.size());
    return lines;
}

} // namespace statdesk
