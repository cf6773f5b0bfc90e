#pragma once

#include "EventRecord.h"

#include <string>
#include <vector>

namespace statdesk::server {

// A local file where usage events wait while the database is out of reach: one record per line,
// its fields separated by tabs (tabs, line ends and backslashes escaped) and ended by a checksum.
// An event is answered only once its record is written and flushed to the disk.
class EventSpool {
  public:
    explicit EventSpool(std::string path);

    const std::string& path() const { return m_path; }
    bool empty() const;

    // Writes the records and flushes them to the disk; throws std::runtime_error when it cannot.
    void append(const std::vector<const EventRecord*>& records);
    // The whole records, oldest first. A file cut or damaged in a record is read up to the last
    // whole record before it; the rest is moved to a file of its own and named on standard error.
    std::vector<EventRecord> load();
    // Empties the spool once its records are in the database.
    void clear();

    static std::string encode(const EventRecord& record);

  private:
    std::string m_path;
};

} // namespace statdesk::server
