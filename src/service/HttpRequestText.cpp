#include "HttpRequestText.h"

#include "Windows1252.h"

namespace statdesk {

QByteArray buildHttpRequest(const HttpAddress& target, const HttpRequestSettings& settings) {
    const bool post = settings.method == "POST";
    QByteArray out = settings.method + ' ';
    if (settings.viaProxy)
        out += target.scheme + "://" + target.hostPort + target.path;
    else
        out += target.path;
    out += " HTTP/1.0\r\n";

    if (!settings.accept.isEmpty())
        out += "Accept: " + settings.accept.toLatin1() + "\r\n";
    if (post && !settings.contentTypePost.isEmpty())
        out += "Content-Type: " + settings.contentTypePost.toLatin1() + "\r\n";
    if (!settings.agent.isEmpty())
        out += "User-Agent: " + settings.agent.toLatin1() + "\r\n";
    out += "Host: " + target.host + "\r\n";
    if (settings.noCache)
        out += "Pragma: no-cache\r\n";
    if (post)
        out += "Content-Length: " + QByteArray::number(settings.body ? settings.body->size() : 0) + "\r\n";
    if (settings.viaProxy && !settings.proxyUsername.isEmpty()) {
        const QByteArray credentials =
            toWindows1252(settings.proxyUsername) + ':' + toWindows1252(settings.proxyPassword);
        out += "Proxy-Authorization: Basic " + credentials.toBase64() + "\r\n";
    }
    out += "\r\n";
    if (post && settings.body)
        out += *settings.body;
    return out;
}

} // namespace statdesk
