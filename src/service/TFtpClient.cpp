#include "TFtpClient.h"

#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace statdesk {
namespace {

bool isSuccess(int code) {
    return code >= 200 && code < 400;
}

} // namespace

TFtpClient::TFtpClient(QObject* parent) : QObject(parent) {}

TFtpClient::~TFtpClient() {
    closeControl();
}

bool TFtpClient::Connect() {
    closeControl();
    m_control = new QTcpSocket(this);
    m_control->setProxy(QNetworkProxy::NoProxy);
    const QString port = m_port.trimmed();
    const quint16 portNumber = port.compare(QLatin1String("ftp"), Qt::CaseInsensitive) == 0
                                   ? quint16(21)
                                   : static_cast<quint16>(port.toUInt());
    m_control->connectToHost(m_hostName, portNumber);
    return waitForReply();
}

bool TFtpClient::User() {
    return command("USER " + m_userName.toLatin1());
}

bool TFtpClient::Pass() {
    return command("PASS " + m_passWord.toLatin1());
}

bool TFtpClient::Quit() {
    const bool ok = command("QUIT");
    closeControl();
    return ok;
}

bool TFtpClient::Upload() {
    if (!m_control || m_control->state() != QAbstractSocket::ConnectedState)
        return fail(QStringLiteral("not connected"));
    QFile file(m_localFileName);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("can't open ") + m_localFileName + QStringLiteral(": ") +
                    file.errorString());
    const QByteArray content = file.readAll();
    file.close();

    QTcpServer listener;
    QHostAddress local = m_control->localAddress();
    // PORT can only name IPv4: a loopback control connection over IPv6 announces 127.0.0.1.
    if (local.isLoopback())
        local = QHostAddress(QHostAddress::LocalHost);
    if (!listener.listen(local, 0))
        return fail(listener.errorString());
    connect(&listener, &QTcpServer::newConnection, this, &TFtpClient::progressed);
    const quint32 ip = local.toIPv4Address();
    const quint16 port = listener.serverPort();
    const QByteArray portCommand =
        "PORT " + QByteArray::number(ip >> 24) + ',' + QByteArray::number((ip >> 16) & 0xFF) + ',' +
        QByteArray::number((ip >> 8) & 0xFF) + ',' + QByteArray::number(ip & 0xFF) + ',' +
        QByteArray::number(port >> 8) + ',' + QByteArray::number(port & 0xFF);
    if (!command(portCommand))
        return false;

    m_control->write("STOR " + m_hostFileName.toLatin1() + "\r\n");
    int code = 0;
    if (!waitUntil([&] { return hasReply(); }) || !takeReply(code))
        return false;
    if (code >= 300 || code < 100)
        return fail(m_lastReply);
    if (code >= 200) // the server finished without a data connection
        return true;

    if (!waitUntil([&] { return listener.hasPendingConnections(); }))
        return false;
    QTcpSocket* data = listener.nextPendingConnection();
    connect(data, &QTcpSocket::bytesWritten, this, &TFtpClient::progressed);
    connect(data, &QTcpSocket::disconnected, this, &TFtpClient::progressed);
    data->write(content);
    if (!waitUntil([&] { return data->bytesToWrite() == 0; }))
        return false;
    data->disconnectFromHost();
    if (data->state() != QAbstractSocket::UnconnectedState &&
        !waitUntil([&] { return data->state() == QAbstractSocket::UnconnectedState; }))
        return false;
    return waitForReply();
}

bool TFtpClient::command(const QByteArray& line) {
    if (!m_control || m_control->state() != QAbstractSocket::ConnectedState)
        return fail(QStringLiteral("not connected"));
    m_control->write(line + "\r\n");
    return waitForReply();
}

bool TFtpClient::waitForReply() {
    int code = 0;
    if (!waitUntil([&] { return hasReply(); }) || !takeReply(code))
        return false;
    // Preliminary replies announce the real one.
    while (code >= 100 && code < 200) {
        if (!waitUntil([&] { return hasReply(); }) || !takeReply(code))
            return false;
    }
    return isSuccess(code) ? true : fail(m_lastReply);
}

bool TFtpClient::waitUntil(const std::function<bool()>& done) {
    if (!m_control)
        return fail(QStringLiteral("not connected"));
    QEventLoop loop;
    QTimer silence;
    silence.setSingleShot(true);
    bool timedOut = false;
    bool broken = false;
    const auto check = [&] {
        if (done())
            loop.quit();
    };
    connect(&silence, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    connect(m_control, &QTcpSocket::readyRead, &loop, [&] {
        drain();
        silence.start(m_timeoutMs);
        check();
    });
    connect(m_control, &QTcpSocket::errorOccurred, &loop, [&] {
        drain();
        broken = true;
        loop.quit();
    });
    connect(m_control, &QTcpSocket::disconnected, &loop, [&] {
        drain();
        broken = true;
        loop.quit();
    });
    connect(this, &TFtpClient::progressed, &loop, [&] {
        silence.start(m_timeoutMs);
        check();
    });

    drain();
    silence.start(m_timeoutMs);
    while (!done() && !timedOut && !broken)
        loop.exec();
    if (done())
        return true;
    if (timedOut) {
        closeControl();
        return fail(QStringLiteral("426 Timeout"));
    }
    const QString reason = m_control->errorString();
    closeControl();
    return fail(reason);
}

void TFtpClient::drain() {
    if (m_control->isOpen())
        m_received += m_control->readAll();
}

bool TFtpClient::hasReply() const {
    return replyLength() > 0;
}

// Bytes of the first complete reply in m_received: one line "ddd text", or "ddd-" lines up to
// the line starting "ddd "; 0 while incomplete.
qsizetype TFtpClient::replyLength() const {
    qsizetype pos = 0;
    QByteArray code;
    while (true) {
        const qsizetype lf = m_received.indexOf('\n', pos);
        if (lf < 0)
            return 0;
        const QByteArray line = m_received.mid(pos, lf - pos);
        pos = lf + 1;
        if (code.isEmpty()) {
            code = line.left(3);
            if (line.size() < 4 || line[3] != '-')
                return pos;
        } else if (line.startsWith(QByteArray(code + ' '))) {
            return pos;
        }
    }
}

bool TFtpClient::takeReply(int& code) {
    const qsizetype length = replyLength();
    if (length == 0)
        return fail(QStringLiteral("no reply"));
    QByteArray reply = m_received.left(length);
    m_received.remove(0, length);
    if (reply.endsWith('\n'))
        reply.chop(1);
    if (reply.endsWith('\r'))
        reply.chop(1);
    const qsizetype lastLine = reply.lastIndexOf('\n');
    m_lastReply =
        QString::fromLatin1(lastLine >= 0 ? reply.mid(lastLine + 1) : reply).remove(QLatin1Char('\r'));
    bool ok = false;
    code = reply.left(3).toInt(&ok);
    if (!ok)
        code = 0;
    return true;
}

bool TFtpClient::fail(const QString& text) {
    m_errorText = text;
    return false;
}

void TFtpClient::closeControl() {
    if (!m_control)
        return;
    m_control->disconnect(this);
    m_control->abort();
    m_control->deleteLater();
    m_control = nullptr;
    m_received.clear();
}

} // namespace statdesk
