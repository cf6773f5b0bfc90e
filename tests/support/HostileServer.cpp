#include "HostileServer.h"

#include "RecordingServer.h"

#include <QTcpSocket>
#include <QTimer>

#include <sys/socket.h>

namespace statdesk::test {

// Plays the script on one connection; lives as a child of its socket.
class HostileConnection final : public QObject {
  public:
    HostileConnection(HostileServer& server, QTcpSocket* socket)
        : QObject(socket), m_server(server), m_socket(socket), m_script(server.m_script) {
        connect(socket, &QTcpSocket::readyRead, this, [this] {
            const bool wasComplete = isCompleteHttpRequest(m_request);
            m_request += m_socket->readAll();
            if (!wasComplete && isCompleteHttpRequest(m_request)) {
                emit m_server.scriptStarted();
                next();
            }
        });
        connect(socket, &QTcpSocket::bytesWritten, this, [this] { onBytesWritten(); });
        m_drip.callOnTimeout(this, [this] { dripOne(); });
    }

  private:
    static constexpr qint64 kStreamChunk = 64 * 1024;

    void send(const QByteArray& bytes) { m_server.m_bytesWritten += m_socket->write(bytes); }

    // The pattern's bytes from offset on, repeated, count of them.
    static QByteArray patternBytes(const QByteArray& pattern, qint64 offset, qint64 count) {
        QByteArray out;
        out.reserve(count);
        while (out.size() < count) {
            const qint64 at = (offset + out.size()) % pattern.size();
            out += pattern.mid(at, count - out.size());
        }
        return out;
    }

    void next() {
        if (m_step >= m_script.size())
            return;
        const HostileServer::Step& step = m_script[m_step];
        m_sent = 0;
        switch (step.kind) {
        case HostileServer::Step::Kind::Write:
            send(step.bytes);
            ++m_step;
            next();
            return;
        case HostileServer::Step::Kind::Stream:
            streamMore();
            return;
        case HostileServer::Step::Kind::Drip:
            m_drip.start(step.intervalMs);
            return;
        case HostileServer::Step::Kind::Reset:
            if (m_socket->bytesToWrite() == 0)
                resetNow();
            return; // else onBytesWritten resets once the socket has sent everything
        case HostileServer::Step::Kind::Close:
            m_socket->disconnectFromHost();
            return;
        }
    }

    void onBytesWritten() {
        if (m_step >= m_script.size())
            return;
        const HostileServer::Step::Kind kind = m_script[m_step].kind;
        if (kind == HostileServer::Step::Kind::Stream)
            streamMore();
        else if (kind == HostileServer::Step::Kind::Reset && m_socket->bytesToWrite() == 0)
            resetNow();
    }

    // Keeps a little queued, so that a stream of any length never sits in memory at once.
    void streamMore() {
        const HostileServer::Step& step = m_script[m_step];
        // A peer that gave up ends the stream: writes to a closed socket would queue nothing.
        while (m_sent < step.total && m_socket->state() == QAbstractSocket::ConnectedState &&
               m_socket->bytesToWrite() < 4 * kStreamChunk) {
            const qint64 count = std::min(kStreamChunk, step.total - m_sent);
            send(patternBytes(step.bytes, m_sent, count));
            m_sent += count;
        }
        if (m_sent >= step.total && m_socket->state() == QAbstractSocket::ConnectedState) {
            ++m_step;
            next();
        }
    }

    void dripOne() {
        const HostileServer::Step& step = m_script[m_step];
        send(patternBytes(step.bytes, m_sent, 1));
        m_socket->flush();
        ++m_sent;
        emit m_server.dripped();
        if (step.total >= 0 && m_sent >= step.total) {
            m_drip.stop();
            ++m_step;
            next();
        }
    }

    // A zero linger time makes the close send a reset instead of an orderly end.
    void resetNow() {
        const linger abortive{1, 0};
        setsockopt(static_cast<int>(m_socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive,
                   sizeof abortive);
        m_socket->abort();
    }

    HostileServer& m_server;
    QTcpSocket* m_socket;
    const QList<HostileServer::Step> m_script;
    qsizetype m_step = 0;
    qint64 m_sent = 0;
    QByteArray m_request;
    QTimer m_drip;
};

HostileServer::HostileServer(QObject* parent) : QObject(parent) {
    connect(&m_server, &QTcpServer::newConnection, this, &HostileServer::onNewConnection);
    if (!m_server.listen(QHostAddress::LocalHost, 0))
        qFatal("hostile server cannot listen: %s", qPrintable(m_server.errorString()));
}

HostileServer::~HostileServer() = default;

QString HostileServer::hostPort() const {
    return QStringLiteral("127.0.0.1:") + QString::number(m_server.serverPort());
}

void HostileServer::onNewConnection() {
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        ++m_connections;
        socket->setParent(this);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        new HostileConnection(*this, socket);
    }
}

} // namespace statdesk::test
