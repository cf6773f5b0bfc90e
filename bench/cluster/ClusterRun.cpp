#include "ClusterRun.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace {

std::string script() {
    return std::string(STATDESK_SOURCE_DIR) + "/scripts/cluster.sh";
}

// The script's standard output; throws when it fails.
std::string run(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    if (pclose(pipe) != 0)
        throw std::runtime_error(command + " failed:\n" + output);
    return output;
}

} // namespace

ClusterRun::ClusterRun(const std::string& databasePath, int frontPort) : m_frontPort(frontPort) {
    char folder[] = "/tmp/statdesk-bench-cluster.XXXXXX";
    if (!mkdtemp(folder))
        throw std::runtime_error("no temporary folder");
    m_folder = folder;
    const std::string output = run(script() + " start --listen 127.0.0.1:" + std::to_string(frontPort) +
                                   " --db '" + databasePath + "' --dir '" + m_folder + "'");
    std::printf("%s", output.c_str());
    // "ROLE PID ADDRESS" per line.
    std::istringstream lines(output);
    std::string role, pid, address;
    while (lines >> role >> pid >> address) {
        if (role == "postgresql")
            m_databaseAddress = address;
        else if (role == "replica1")
            m_replicaPort = std::stoi(address.substr(address.rfind(':') + 1));
    }
    if (m_databaseAddress.empty() || m_replicaPort == 0)
        throw std::runtime_error("cluster.sh start did not name the database and the first replica");
}

ClusterRun::~ClusterRun() {
    try {
        run(script() + " stop --dir '" + m_folder + "' >/dev/null");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}
