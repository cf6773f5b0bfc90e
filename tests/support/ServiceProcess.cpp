#include "ServiceProcess.h"

#include "ClosedHosts.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTcpSocket>

namespace statdesk::test {

ServiceProcess::ServiceProcess(const QString& databasePath, const QStringList& extraArguments) {
    if (!start(databasePath, extraArguments) && m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

ServiceProcess::~ServiceProcess() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(3000);
    }
}

QString ServiceProcess::executablePath() {
    const QString buildDir = qEnvironmentVariable("STATDESK_BUILD_DIR");
    const QStringList candidates = {buildDir + QStringLiteral("/server/statdesk-service"),
                                    buildDir + QStringLiteral("/bin/statdesk-service")};
    for (const QString& candidate : candidates) {
        if (QFileInfo(candidate).isExecutable())
            return candidate;
    }
    return {};
}

QString ServiceProcess::builtDatabase() {
    return qEnvironmentVariable("STATDESK_BUILD_DIR") + QStringLiteral("/data/statdesk.db");
}

void ServiceProcess::pointClientHere() const {
    const QString here = host();
    pointHostsAtClosedPort();
    qputenv("STATDESK_HOSTS", (here + "," + here + "," + here).toLatin1());
    qputenv("STATDESK_SITE", here.toLatin1());
}

bool ServiceProcess::start(const QString& databasePath, const QStringList& extraArguments) {
    const QString program = executablePath();
    if (program.isEmpty()) {
        m_error = QStringLiteral("statdesk-service not found under STATDESK_BUILD_DIR (build it first)");
        return false;
    }
    QStringList arguments = {QStringLiteral("--db"),     databasePath,
                             QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                             QStringLiteral("--events"), eventsPath()};
    arguments += extraArguments;
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start(program, arguments);
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("statdesk-service did not start: ") + m_process.errorString();
        return false;
    }
    // The service names the port it bound once it is ready for connections.
    static const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && m_port == 0) {
        if (!m_process.waitForReadyRead(100) && m_process.state() != QProcess::Running) {
            m_error = QStringLiteral("statdesk-service ended: ") + output();
            return false;
        }
        const auto match = listening.match(output());
        if (match.hasMatch())
            m_port = static_cast<quint16>(match.captured(1).toUInt());
    }
    if (m_port == 0) {
        m_error = QStringLiteral("statdesk-service did not start listening: ") + output();
        return false;
    }
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
    if (!probe.waitForConnected(5000)) {
        m_error = QStringLiteral("statdesk-service does not answer on port ") + QString::number(m_port);
        m_port = 0;
        return false;
    }
    return true;
}

bool ServiceProcess::kill() {
    m_process.kill();
    return m_process.waitForFinished(5000) && m_process.exitStatus() == QProcess::CrashExit;
}

int ServiceProcess::terminate() {
    m_process.terminate();
    if (!m_process.waitForFinished(10000) || m_process.exitStatus() != QProcess::NormalExit)
        return -1;
    return m_process.exitCode();
}

bool ServiceProcess::isRunning() const {
    return m_port != 0 && m_process.state() == QProcess::Running;
}

QString ServiceProcess::host() const {
    return QStringLiteral("127.0.0.1:") + QString::number(m_port);
}

QString ServiceProcess::eventsPath() const {
    return m_folder.filePath(QStringLiteral("events.log"));
}

QString ServiceProcess::output() {
    // Without an event loop the pipe is read only while waiting on it.
    while (m_process.state() == QProcess::Running && m_process.waitForReadyRead(50))
        m_output += m_process.readAll();
    m_output += m_process.readAll();
    return QString::fromLocal8Bit(m_output);
}

} // namespace statdesk::test
