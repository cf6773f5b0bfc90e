#include "LocalCluster.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace statdesk::test {
namespace {

QString replicaName(int replica) {
    return QStringLiteral("replica%1").arg(replica + 1);
}

} // namespace

bool LocalCluster::start(const QString& databasePath, QString& error) {
    m_database = databasePath;
    if (!m_folder.isValid()) {
        error = QStringLiteral("no temporary folder");
        return false;
    }
    if (!m_postgres.create(error))
        return false;
    for (int replica = 0; replica < kReplicas; ++replica) {
        m_replicaPorts[replica] = ChildServerProcess::freePort();
        if (!startReplica(replica, error))
            return false;
    }
    m_frontPort = ChildServerProcess::freePort();
    qputenv("STATDESK_LISTEN", QStringLiteral("127.0.0.1:%1").arg(m_frontPort).toLatin1());
    qputenv("STATDESK_HAPROXY_STATS", m_folder.filePath("haproxy.sock").toLocal8Bit());
    for (int replica = 0; replica < kReplicas; ++replica)
        qputenv(QStringLiteral("STATDESK_REPLICA%1").arg(replica + 1).toLatin1(),
                QStringLiteral("127.0.0.1:%1").arg(m_replicaPorts[replica]).toLatin1());
    const QString config = QStringLiteral(STATDESK_SOURCE_DIR "/deploy/haproxy.cfg");
    if (!m_haproxy.start(QStringLiteral("haproxy"), {"-db", "-f", config}, m_frontPort, error))
        return false;
    for (int replica = 0; replica < kReplicas; ++replica) {
        if (!waitUntil(replica, true, 10000)) {
            error = QStringLiteral("HAProxy does not see %1 up").arg(replicaName(replica));
            return false;
        }
    }
    return true;
}

bool LocalCluster::startReplica(int replica, QString& error) {
    m_replicas[replica] = std::make_unique<ServiceProcess>(
        m_database, QStringList{"--listen", QStringLiteral("127.0.0.1:%1").arg(m_replicaPorts[replica]),
                                "--events", m_postgres.uri(), "--replica", replicaName(replica), "--spool",
                                m_folder.filePath(replicaName(replica) + ".spool")});
    if (!m_replicas[replica]->isRunning()) {
        error = replicaName(replica) + ": " + m_replicas[replica]->errorString();
        return false;
    }
    return true;
}

bool LocalCluster::killReplica(int replica) {
    return m_replicas[replica]->kill();
}

void LocalCluster::stopReplicas() {
    for (auto& replica : m_replicas)
        replica.reset();
}

LocalCluster::ReplicaStats LocalCluster::stats(int replica) const {
    QLocalSocket socket;
    socket.connectToServer(m_folder.filePath("haproxy.sock"));
    if (!socket.waitForConnected(2000))
        return {};
    socket.write("show stat\n");
    QByteArray csv;
    while (socket.waitForReadyRead(2000))
        csv += socket.readAll();
    csv += socket.readAll();
    // "# pxname,svname,qcur,qmax,scur,smax,slim,stot,..." with status in column 17.
    for (const QByteArray& line : csv.split('\n')) {
        const QList<QByteArray> fields = line.split(',');
        if (fields.size() > 17 && fields[0] == "replicas" && fields[1] == replicaName(replica).toLatin1())
            return {fields[7].toLongLong(), fields[17].startsWith("UP")};
    }
    return {};
}

bool LocalCluster::waitUntil(int replica, bool up, int milliseconds) const {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        if (stats(replica).up == up)
            return true;
        QThread::msleep(100);
    }
    return false;
}

} // namespace statdesk::test
