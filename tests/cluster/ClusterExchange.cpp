#include "ClusterExchange.h"

#include "RawExchange.h"

#include <QString>

namespace statdesk::test {

StatusAndBody exchangeOnce(quint16 port, const QByteArray& request) {
    const QByteArray received = exchangeRaw(QStringLiteral("127.0.0.1"), port, request);
    const qsizetype headEnd = received.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return {};
    return {received.left(received.indexOf("\r\n")), received.mid(headEnd + 4)};
}

QByteArray postRequest(const QByteArray& path, const QByteArray& body) {
    return "POST " + path + " HTTP/1.0\r\nAccept: */*\r\nHost: 127.0.0.1\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray getRequest(const QByteArray& target) {
    return "GET " + target + " HTTP/1.0\r\nAccept: */*\r\nHost: 127.0.0.1\r\n\r\n";
}

} // namespace statdesk::test
