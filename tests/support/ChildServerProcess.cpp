#include "ChildServerProcess.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

namespace statdesk::test {

ChildServerProcess::~ChildServerProcess() {
    stop();
}

bool ChildServerProcess::start(const QString& program, const QStringList& arguments, quint16 port,
                               QString& error) {
    const QString path = QStandardPaths::findExecutable(program, {"/usr/sbin", "/usr/bin", "/sbin", "/bin"});
    if (path.isEmpty()) {
        error = program + QStringLiteral(" is not installed (scripts/install-deps.sh installs it)");
        return false;
    }
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(path, arguments);
    if (!m_process.waitForStarted(5000)) {
        error = program + QStringLiteral(" did not start: ") + m_process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        if (probe.waitForConnected(200)) {
            probe.abort();
            return true;
        }
        if (m_process.waitForFinished(50)) {
            error = program + QStringLiteral(" ended at once: ") + output();
            return false;
        }
    }
    error = program + QStringLiteral(" did not accept connections on port ") + QString::number(port) +
            QStringLiteral(": ") + output();
    stop();
    return false;
}

void ChildServerProcess::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString ChildServerProcess::output() {
    m_output += m_process.readAll();
    return QString::fromLocal8Bit(m_output);
}

quint16 ChildServerProcess::freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace statdesk::test
