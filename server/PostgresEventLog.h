#pragma once

#include "EventRecord.h"
#include "EventSink.h"
#include "EventSpool.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

struct pg_conn;

namespace statdesk::server {

// Usage events in the PostgreSQL table usage_events, shared by every replica. One writer thread
// commits what has queued in one transaction (many waiting requests, one commit). While the
// database is out of reach the events go to a local spool file, flushed before they are answered,
// and the spool goes into the database, oldest first, once it is back and at every start; the event
// id makes a replayed event that was committed already a no-op.
class PostgresEventLog final : public EventSink {
  public:
    static constexpr size_t kMaxBatch = 1000;

    PostgresEventLog(std::string address, std::string replica, std::string spoolPath);
    // Stores what is queued and replays the spool if the database can be reached.
    ~PostgresEventLog() override;
    PostgresEventLog(const PostgresEventLog&) = delete;
    PostgresEventLog& operator=(const PostgresEventLog&) = delete;

    void append(std::string_view peer, std::string_view line, std::string_view requestId) override;

  private:
    struct Pending {
        EventRecord record;
        bool done = false;
        std::string error;
    };

    void run();
    void store(const std::vector<Pending*>& batch);
    // Connected once it returns true; tries again only after a pause.
    bool reachable();
    bool replaySpool();
    bool insert(const std::vector<const EventRecord*>& records);
    void disconnect(const std::string& why);
    std::string newId(std::string_view line, std::string_view requestId);

    const std::string m_address;
    const std::string m_replica;
    EventSpool m_spool;
    pg_conn* m_connection = nullptr;
    std::chrono::steady_clock::time_point m_nextAttempt{};
    bool m_unreachableSaid = false;

    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_stored;
    std::deque<Pending*> m_queue; // guarded by m_mutex
    bool m_stopping = false;      // guarded by m_mutex
    std::mt19937_64 m_random;     // guarded by m_mutex
    std::thread m_writer;
};

} // namespace statdesk::server
