#include "HttpAddress.h"

#include "Windows1252.h"

namespace statdesk {
namespace {

bool needsEscape(unsigned char c) {
    return c <= 0x20 || c == 0x7F;
}

QByteArray escapeControlBytes(const QByteArray& path) {
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(path.size());
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (needsEscape(c)) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        } else {
            out += ch;
        }
    }
    return out;
}

} // namespace

HttpAddress parseHttpAddress(const QString& text) {
    const QByteArray bytes = toWindows1252(text);
    HttpAddress address;
    QByteArray rest = bytes;
    // A "://" after the first "/" belongs to the path (an address inside a query string).
    const qsizetype schemeEnd = bytes.indexOf("://");
    const qsizetype firstSlash = bytes.indexOf('/');
    if (schemeEnd >= 0 && firstSlash >= schemeEnd) {
        address.scheme = bytes.left(schemeEnd);
        rest = bytes.mid(schemeEnd + 3);
    } else {
        address.scheme = "http";
    }

    const qsizetype slash = rest.indexOf('/');
    address.hostPort = slash >= 0 ? rest.left(slash) : rest;
    address.path = slash >= 0 ? escapeControlBytes(rest.mid(slash)) : QByteArray("/");

    const qsizetype colon = address.hostPort.indexOf(':');
    if (colon >= 0) {
        address.host = address.hostPort.left(colon);
        bool ok = false;
        const int port = address.hostPort.mid(colon + 1).toInt(&ok);
        address.port = ok && port > 0 && port <= 65535 ? port : 0;
    } else {
        address.host = address.hostPort;
    }
    return address;
}

bool isUnsafeHost(const QByteArray& host) {
    for (char ch : host) {
        if (needsEscape(static_cast<unsigned char>(ch)))
            return true;
    }
    return false;
}

bool isUnsafeAddress(const HttpAddress& address) {
    return isUnsafeHost(address.hostPort);
}

} // namespace statdesk
