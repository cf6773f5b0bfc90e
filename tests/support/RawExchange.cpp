#include "RawExchange.h"

#include <QTcpSocket>

namespace statdesk::test {

QByteArray exchangeRaw(const QString& address, quint16 port, const QByteArray& request) {
    QTcpSocket socket;
    socket.connectToHost(address, port);
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(request);
    QByteArray received;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(10000))
        received += socket.readAll();
    return received + socket.readAll();
}

} // namespace statdesk::test
