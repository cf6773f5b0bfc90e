#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

// The service's texts are single-byte Windows-1252: Latin-1 but for 0x80-0x9F, where it keeps
// letters such as "š" and "Ž" that Latin-1 lacks.
namespace statdesk {

QString fromWindows1252(std::string_view bytes);
// Characters Windows-1252 cannot hold become "?".
QByteArray toWindows1252(const QString& text);

} // namespace statdesk
