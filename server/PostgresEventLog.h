#pragma once

#include "EventRecord.h"
#include "EventSink.h"
#include "EventSpool.h"

#include <array>
#include <atomic>
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

// Usage events in the PostgreSQL table usage_events, shared by every replica. A writer thread
// commits what has queued in one transaction (many waiting requests, one commit); several writers
// on connections of their own take turns, so that the next batch gathers and goes while earlier ones
// wait for their commits (the disk's flush, a few milliseconds, is what a commit waits for). While the
// database is out of reach the events go to a local spool file, flushed before they are answered,
// and the spool goes into the database, oldest first, once it is back and at every start; the event
// id makes a replayed event that was committed already a no-op.
class PostgresEventLog final : public EventSink {
  public:
    static constexpr size_t kMaxBatch = 1000;
    static constexpr size_t kWriters = 4;

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

    struct Writer {
        pg_conn* connection = nullptr;
        std::chrono::steady_clock::time_point nextAttempt{};
    };

    void run(Writer& writer);
    void store(Writer& writer, const std::vector<Pending*>& batch);
    // Connected once it returns true; tries again only after a pause.
    bool reachable(Writer& writer);
    // The spool into the database; with m_spoolMutex held.
    bool replaySpool(Writer& writer);
    bool insert(Writer& writer, const std::vector<const EventRecord*>& records);
    void disconnect(Writer& writer, const std::string& why);
    std::string newId(std::string_view line, std::string_view requestId);

    const std::string m_address;
    const std::string m_replica;
    std::mutex m_spoolMutex;
    EventSpool m_spool;                // guarded by m_spoolMutex
    std::atomic<bool> m_spooled{false}; // the spool holds events
    std::atomic<bool> m_unreachableSaid{false};
    std::array<Writer, kWriters> m_writers;

    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::condition_variable m_stored;
    std::deque<Pending*> m_queue; // guarded by m_mutex
    bool m_stopping = false;      // guarded by m_mutex
    std::mt19937_64 m_random;     // guarded by m_mutex
    std::vector<std::thread> m_threads;
};

} // namespace statdesk::server
