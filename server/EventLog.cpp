#include "EventLog.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <stdexcept>

namespace statdesk::server {
namespace {

// The line is stored as sent, except bytes that would split one record into several.
std::string oneRecord(std::string_view text) {
    std::string record(text);
    for (char& c : record) {
        if (c == '\r' || c == '\n' || c == '\t' || c == '\0')
            c = ' ';
    }
    return record;
}

std::string utcNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return std::string(text, length);
}

} // namespace

EventLog::EventLog(std::string path) : m_path(std::move(path)) {}

void EventLog::append(std::string_view peer, std::string_view line, std::string_view) {
    const std::string record = utcNow() + "\t" + oneRecord(peer) + "\t" + oneRecord(line) + "\n";
    const std::lock_guard lock(m_mutex);
    std::ofstream file(m_path, std::ios::binary | std::ios::app);
    file << record;
    file.flush();
    if (!file)
        throw std::runtime_error("cannot write the usage event file " + m_path);
}

} // namespace statdesk::server
