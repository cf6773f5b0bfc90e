#pragma once

#include <QByteArray>

namespace statdesk::test {

// What a client compares of a reply: the status line and the body. The head in between may differ
// between the replica and the load balancer (its connection fields).
struct StatusAndBody {
    QByteArray statusLine;
    QByteArray body;
    bool operator==(const StatusAndBody&) const = default;
};

// One HTTP/1.0 exchange on 127.0.0.1:port from any thread; an empty status line when no reply came.
StatusAndBody exchangeOnce(quint16 port, const QByteArray& request);

QByteArray postRequest(const QByteArray& path, const QByteArray& body);
QByteArray getRequest(const QByteArray& target);

} // namespace statdesk::test
