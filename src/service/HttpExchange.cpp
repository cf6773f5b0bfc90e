#include "HttpExchange.h"

#include "SocketErrorNumber.h"

#include <QEventLoop>
#include <QNetworkProxy>
#include <QTcpSocket>

namespace statdesk {
namespace {

constexpr int kSocketFailureStatus = 404;

QString socketErrorText(const QTcpSocket& socket) {
    return socket.errorString() + QStringLiteral(" (Error #") +
           QString::number(socketErrorNumber(socket.error())) + QLatin1Char(')');
}

} // namespace

HttpExchange::HttpExchange(QByteArray host, int port, QByteArray request, int inactivityLimitMs)
    : m_host(std::move(host)), m_port(port), m_request(std::move(request)),
      m_inactivityLimitMs(inactivityLimitMs), m_socket(new QTcpSocket(this)) {
    m_silence.setSingleShot(true);
    connect(&m_silence, &QTimer::timeout, this, &HttpExchange::onSilence);
    connect(m_socket, &QTcpSocket::connected, this, &HttpExchange::onConnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpExchange::onReadyRead);
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpExchange::onDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &HttpExchange::onError);
}

HttpExchange::~HttpExchange() {
    m_done = true;
    m_socket->abort();
}

HttpExchange::Outcome HttpExchange::run() {
    m_silence.start(m_inactivityLimitMs);
    m_socket->connectToHost(QString::fromLatin1(m_host), static_cast<quint16>(m_port));
    if (!m_done) {
        QEventLoop loop;
        m_loop = &loop;
        loop.exec();
        m_loop = nullptr;
    }
    return std::move(m_outcome);
}

void HttpExchange::abort() {
    fail(kSocketFailureStatus, QStringLiteral("Connection aborted on request"));
}

void HttpExchange::onConnected() {
    if (m_done)
        return;
    m_connected = true;
    m_silence.start(m_inactivityLimitMs);
    m_socket->write(m_request);
    // Out now rather than on the next turn of the event loop: one wake-up less per exchange.
    m_socket->flush();
}

void HttpExchange::onReadyRead() {
    if (m_done)
        return;
    m_silence.start(m_inactivityLimitMs);
    const QByteArray data = m_socket->readAll();
    if (!m_parser.feed(data))
        failAsParsed();
}

void HttpExchange::onDisconnected() {
    if (m_done)
        return;
    if (m_socket->bytesAvailable() > 0) {
        onReadyRead();
        if (m_done)
            return;
    }
    // A connection closed before a single byte is no reply at all; the caller may try elsewhere.
    if (!m_parser.receivedAny()) {
        fail(kSocketFailureStatus, QStringLiteral("connection closed without a reply"));
        return;
    }
    if (!m_parser.finish()) {
        failAsParsed();
        return;
    }
    m_outcome.statusCode = m_parser.statusCode();
    m_outcome.reason = m_parser.reason();
    m_outcome.location = m_parser.location();
    m_outcome.body = std::move(m_parser.body());
    finish();
}

void HttpExchange::onError() {
    if (m_done)
        return;
    switch (m_socket->error()) {
    case QAbstractSocket::RemoteHostClosedError:
        if (m_socket->state() == QAbstractSocket::UnconnectedState)
            onDisconnected();
        return; // disconnected() follows and ends the exchange
    case QAbstractSocket::HostNotFoundError:
        fail(kSocketFailureStatus, QStringLiteral("can't resolve hostname to IP address"));
        return;
    default:
        if (m_connected)
            fail(kSocketFailureStatus, socketErrorText(*m_socket));
        else
            fail(kSocketFailureStatus, QStringLiteral("can't connect: ") + socketErrorText(*m_socket));
    }
}

void HttpExchange::onSilence() {
    const QString seconds = QString::number(m_inactivityLimitMs / 1000.0, 'g', 3);
    fail(kSocketFailureStatus,
         QStringLiteral("no data from the server for ") + seconds + QStringLiteral(" seconds"));
}

void HttpExchange::fail(int statusCode, const QString& reason) {
    if (m_done)
        return;
    m_outcome.failed = true;
    m_outcome.statusCode = statusCode;
    m_outcome.reason = reason;
    finish();
}

// A reply the parser refused: its own error, or the reply's status of 400 or more.
void HttpExchange::failAsParsed() {
    if (!m_parser.error().isEmpty())
        fail(kSocketFailureStatus, m_parser.error());
    else
        fail(m_parser.statusCode(), m_parser.reason());
}

void HttpExchange::finish() {
    m_done = true;
    m_silence.stop();
    m_socket->abort();
    if (m_loop)
        m_loop->quit();
}

} // namespace statdesk
