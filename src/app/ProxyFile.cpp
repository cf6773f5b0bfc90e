#include "ProxyFile.h"

#include <QFile>
#include <QSaveFile>
#include <stdexcept>

namespace statdesk {
namespace {

[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason) {
    throw std::runtime_error(QStringLiteral("%1 %2: %3").arg(what, path, reason).toStdString());
}

} // namespace

ProxySettings readProxyFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot open file"), path, file.errorString());
    QList<QByteArray> lines = file.readAll().split('\n');
    for (QByteArray& line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    const auto line = [&lines](int index) { return QString::fromLatin1(lines.value(index)); };
    ProxySettings settings;
    settings.enabled = lines.value(0) == "TRUE";
    settings.address = line(1);
    settings.port = line(2);
    settings.userName = line(3);
    settings.password = line(4);
    return settings;
}

void writeProxyFile(const QString& path, const ProxySettings& settings) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("Cannot create file"), path, file.errorString());
    QByteArray text;
    for (const QString& line : {settings.enabled ? QStringLiteral("TRUE") : QStringLiteral("FALSE"),
                                settings.address, settings.port, settings.userName, settings.password})
        text += line.toLatin1() + "\r\n";
    file.write(text);
    if (!file.commit())
        fail(QStringLiteral("Cannot write file"), path, file.errorString());
}

} // namespace statdesk
