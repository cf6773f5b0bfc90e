#pragma once

#include <string>

// A cluster started by scripts/cluster.sh for the length of a benchmark; stopped when destroyed.
class ClusterRun {
  public:
    // Throws std::runtime_error when the script fails.
    ClusterRun(const std::string& databasePath, int frontPort);
    ~ClusterRun();
    ClusterRun(const ClusterRun&) = delete;
    ClusterRun& operator=(const ClusterRun&) = delete;

    int frontPort() const { return m_frontPort; }
    int replicaPort() const { return m_replicaPort; }
    const std::string& databaseAddress() const { return m_databaseAddress; }

  private:
    std::string m_folder;
    int m_frontPort = 0;
    int m_replicaPort = 0;
    std::string m_databaseAddress;
};
