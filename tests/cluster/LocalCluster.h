#pragma once

#include "ChildServerProcess.h"
#include "PostgresServer.h"
#include "ServiceProcess.h"

#include <QTemporaryDir>

#include <array>
#include <memory>

namespace statdesk::test {

// The deployment of deploy/haproxy.cfg on loopback: PostgreSQL for the usage events, three
// replicas of the built service on ports of their own, HAProxy in front. Stopped when destroyed.
class LocalCluster final {
  public:
    static constexpr int kReplicas = 3;

    // Starts everything and waits until HAProxy sees every replica up; false with the reason.
    bool start(const QString& databasePath, QString& error);

    quint16 frontPort() const { return m_frontPort; }
    quint16 replicaPort(int replica) const { return m_replicaPorts[replica]; }
    PostgresServer& postgres() { return m_postgres; }
    ServiceProcess* replica(int replica) { return m_replicas[replica].get(); }

    // SIGKILL, as a crashed machine; true once it is gone.
    bool killReplica(int replica);
    // Starts a replica again on its port, spool and name; false with the reason.
    bool startReplica(int replica, QString& error);
    // SIGTERM to every replica and waits for each to end: their events are stored.
    void stopReplicas();

    // HAProxy's counters for a replica: requests sent to it so far and whether it is up.
    struct ReplicaStats {
        qint64 sessions = -1;
        bool up = false;
    };
    ReplicaStats stats(int replica) const;
    // Waits until HAProxy sees the replica up (or down); false when it does not within the time.
    bool waitUntil(int replica, bool up, int milliseconds) const;

  private:
    QTemporaryDir m_folder;
    QString m_database;
    PostgresServer m_postgres;
    std::array<std::unique_ptr<ServiceProcess>, kReplicas> m_replicas;
    std::array<quint16, kReplicas> m_replicaPorts{};
    ChildServerProcess m_haproxy;
    quint16 m_frontPort = 0;
};

} // namespace statdesk::test
