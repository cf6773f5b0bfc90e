#pragma once

#include "ProxySettings.h"

#include <QString>

namespace statdesk {

inline constexpr const char* kProxyFileName = "PROXY.DAT";

// Five CR LF lines: "TRUE" or "FALSE", address, port, user name, password. Missing lines read as
// empty, later lines are ignored, nothing is trimmed. Throws std::runtime_error when the file cannot
// be opened.
ProxySettings readProxyFile(const QString& path);

// Writes the file whole or not at all; throws std::runtime_error with the reason when it cannot.
void writeProxyFile(const QString& path, const ProxySettings& settings);

} // namespace statdesk
