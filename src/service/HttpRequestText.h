#pragma once

#include "HttpAddress.h"

#include <QByteArray>
#include <QString>

namespace statdesk {

struct HttpRequestSettings {
    QByteArray method; // "GET" or "POST"
    QString accept;
    QString agent;
    QString contentTypePost;
    bool noCache = false;
    bool viaProxy = false;
    QString proxyUsername;
    QString proxyPassword;
    const QByteArray* body = nullptr; // POST only
};

// The request bytes: request line, header lines in their fixed order, empty line, body.
QByteArray buildHttpRequest(const HttpAddress& target, const HttpRequestSettings& settings);

} // namespace statdesk
