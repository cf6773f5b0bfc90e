#pragma once

#include <QByteArray>
#include <QString>

namespace statdesk {

// An address as the HTTP client reads it: "[scheme://]host[:port][/path]".
struct HttpAddress {
    QByteArray scheme;   // "http" when the text names none
    QByteArray host;     // without the port
    QByteArray hostPort; // host and ":port" as written
    int port = 80;       // 0 when the written port is no number
    QByteArray path;     // "/" when empty; kept byte for byte except control bytes and blanks
};

// A "://" names the scheme only before the first "/".
// Bytes 0x00-0x20 and 0x7F of the path are percent-encoded so that no address can break the
// request line or add header lines; everything else, query part included, stays as written.
HttpAddress parseHttpAddress(const QString& text);

// True when the host holds bytes no host name can hold (blanks, control bytes).
bool isUnsafeHost(const QByteArray& host);
// The same for host and port as written: through a proxy they go on the request line.
bool isUnsafeAddress(const HttpAddress& address);

} // namespace statdesk
