#include "RecordingServer.h"

#include <QTcpSocket>

namespace statdesk::test {

RecordingServer::RecordingServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &RecordingServer::onNewConnection);
    if (!m_server.listen(QHostAddress::LocalHost, 0))
        qFatal("recording server cannot listen: %s", qPrintable(m_server.errorString()));
}

RecordingServer::~RecordingServer() = default;

QString RecordingServer::hostPort() const {
    return QStringLiteral("127.0.0.1:") + QString::number(port());
}

void RecordingServer::onNewConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        const Response response = m_queue.isEmpty() ? m_default : m_queue.takeFirst();
        const int index = static_cast<int>(m_requests.size());
        m_requests.append(QByteArray());
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        if (!response.waitForRequest) {
            respond(socket, response);
            continue;
        }
        connect(socket, &QTcpSocket::readyRead, this,
                [this, socket, index, response] { onReadyRead(socket, index, response); });
    }
}

void RecordingServer::onReadyRead(QTcpSocket* socket, int index, const Response& response) {
    QByteArray& request = m_requests[index];
    const bool wasComplete = isCompleteHttpRequest(request);
    request += socket->readAll();
    if (!wasComplete && isCompleteHttpRequest(request))
        respond(socket, response);
}

void RecordingServer::respond(QTcpSocket* socket, const Response& response) {
    socket->write(response.bytes);
    if (response.close)
        socket->disconnectFromHost();
    else
        m_stalled.append(socket);
    emit answered();
}

void RecordingServer::closeStalled() {
    for (const QPointer<QTcpSocket>& socket : std::exchange(m_stalled, {})) {
        if (socket)
            socket->disconnectFromHost();
    }
}

bool isCompleteHttpRequest(const QByteArray& request) {
    const qsizetype headerEnd = request.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return false;
    qsizetype length = 0;
    for (const QByteArray& line : request.left(headerEnd).split('\n')) {
        if (line.toLower().startsWith("content-length:"))
            length = line.mid(15).trimmed().toLongLong();
    }
    return request.size() >= headerEnd + 4 + length;
}

QByteArray httpReply(const QByteArray& body) {
    return "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray totalOnlyReply(int total) {
    return httpReply(QByteArray::number(total) + "\r\n");
}

QByteArray listReply(const QList<QByteArray>& values) {
    QByteArray body = QByteArray::number(values.size()) + "\r\n";
    for (const QByteArray& value : values)
        body += value + "\r\n";
    return httpReply(body + "END\r\n");
}

QByteArray bodyOf(const QByteArray& request) {
    return request.mid(request.indexOf("\r\n\r\n") + 4);
}

QByteArray headLine(const QByteArray& request) {
    const QByteArray body = bodyOf(request);
    return body.left(body.indexOf("\r\n"));
}

} // namespace statdesk::test
