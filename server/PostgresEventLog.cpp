#include "PostgresEventLog.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <stdexcept>

namespace statdesk::server {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kRetryPause = std::chrono::milliseconds(500);
constexpr auto kIdleWake = std::chrono::seconds(1);
constexpr size_t kMaxRequestId = 200;
constexpr size_t kColumns = 5;

// An advisory lock keeps replicas that start together from racing to create the table.
constexpr const char* kCreateTable =
    "BEGIN; SELECT pg_advisory_xact_lock(747001);"
    "CREATE TABLE IF NOT EXISTS usage_events ("
    " event_id text PRIMARY KEY,"
    " received_at timestamptz NOT NULL,"
    " peer text NOT NULL,"
    " line bytea NOT NULL,"
    " replica text NOT NULL);"
    "COMMIT;";

std::string utcNow() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto micros =
        std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count() % 1000000;
    std::tm parts{};
    gmtime_r(&seconds, &parts);
    char text[48];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    std::snprintf(text + length, sizeof text - length, ".%06lld+00", static_cast<long long>(micros));
    return text;
}

std::string hex64(uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

uint64_t fnv1a(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char byte : bytes)
        hash = (hash ^ byte) * 0x100000001b3ull;
    return hash;
}

// Text columns take printable ASCII only, so that no event can be refused by the database's encoding.
bool printableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7f; });
}

std::string insertStatement(size_t rows) {
    std::string sql = "INSERT INTO usage_events (event_id, received_at, peer, replica, line) VALUES ";
    for (size_t row = 0; row < rows; ++row) {
        sql += row == 0 ? "(" : ",(";
        for (size_t column = 0; column < kColumns; ++column) {
            sql += (column == 0 ? "$" : ",$") + std::to_string(row * kColumns + column + 1);
            if (column == 1)
                sql += "::timestamptz";
            if (column == 4)
                sql += "::bytea";
        }
        sql += ")";
    }
    return sql + " ON CONFLICT (event_id) DO NOTHING";
}

std::string oneLine(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    for (char& c : text) {
        if (c == '\n' || c == '\t')
            c = ' ';
    }
    return text;
}

} // namespace

PostgresEventLog::PostgresEventLog(std::string address, std::string replica, std::string spoolPath)
    : m_address(std::move(address)), m_replica(std::move(replica)), m_spool(std::move(spoolPath)),
      m_random(std::random_device{}()) {
    // A damaged spool is reported at start, before any event is added after its damage.
    if (!m_spool.empty())
        m_spooled = !m_spool.load().empty();
    for (Writer& writer : m_writers)
        m_threads.emplace_back([this, &writer] { run(writer); });
}

PostgresEventLog::~PostgresEventLog() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
    for (Writer& writer : m_writers) {
        if (writer.connection)
            PQfinish(writer.connection);
    }
}

std::string PostgresEventLog::newId(std::string_view line, std::string_view requestId) {
    // A request the load balancer retries on another replica carries the same identity: both
    // attempts make the same id, so the event is stored once.
    if (!requestId.empty() && requestId.size() <= kMaxRequestId && printableAscii(requestId))
        return "lb:" + std::string(requestId) + ":" + hex64(fnv1a(line));
    return hex64(m_random()) + hex64(m_random());
}

void PostgresEventLog::append(std::string_view peer, std::string_view line, std::string_view requestId) {
    Pending pending;
    std::unique_lock lock(m_mutex);
    pending.record = {newId(line, requestId), utcNow(), std::string(peer), m_replica, std::string(line)};
    m_queue.push_back(&pending);
    m_queued.notify_one();
    m_stored.wait(lock, [&] { return pending.done; });
    if (!pending.error.empty())
        throw std::runtime_error(pending.error);
}

void PostgresEventLog::run(Writer& writer) {
    std::vector<Pending*> batch;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_queued.wait_for(lock, kIdleWake, [this] { return !m_queue.empty() || m_stopping; });
            if (m_queue.empty() && m_stopping)
                break;
            while (!m_queue.empty() && batch.size() < kMaxBatch) {
                batch.push_back(m_queue.front());
                m_queue.pop_front();
            }
        }
        if (batch.empty()) {
            // Idle: a spool left by an outage goes in as soon as the database is back.
            if (m_spooled && reachable(writer)) {
                const std::lock_guard lock(m_spoolMutex);
                replaySpool(writer);
            }
            continue;
        }
        store(writer, batch);
        {
            const std::lock_guard lock(m_mutex);
            for (Pending* pending : batch)
                pending->done = true;
        }
        m_stored.notify_all();
        batch.clear();
    }
    if (m_spooled && reachable(writer)) {
        const std::lock_guard lock(m_spoolMutex);
        replaySpool(writer);
    }
}

void PostgresEventLog::store(Writer& writer, const std::vector<Pending*>& batch) {
    std::vector<const EventRecord*> records;
    for (const Pending* pending : batch)
        records.push_back(&pending->record);
    if (reachable(writer)) {
        bool spoolEmpty = true;
        // Spooled events go in first, so that the table receives events in the order they came.
        if (m_spooled) {
            const std::lock_guard lock(m_spoolMutex);
            spoolEmpty = !m_spooled || replaySpool(writer);
        }
        if (spoolEmpty && insert(writer, records))
            return;
    }
    try {
        const std::lock_guard lock(m_spoolMutex);
        m_spool.append(records);
        m_spooled = true;
    } catch (const std::runtime_error& error) {
        for (Pending* pending : batch)
            pending->error = std::string("usage event not stored: database out of reach and ") + error.what();
    }
}

bool PostgresEventLog::reachable(Writer& writer) {
    if (writer.connection)
        return true;
    if (Clock::now() < writer.nextAttempt)
        return false;
    // Defaults first: what the address itself says takes precedence over them.
    const char* keywords[] = {"connect_timeout", "tcp_user_timeout", "application_name", "dbname", nullptr};
    const char* values[] = {"3", "5000", "statdesk-service", m_address.c_str(), nullptr};
    writer.connection = PQconnectdbParams(keywords, values, 1);
    if (PQstatus(writer.connection) == CONNECTION_OK) {
        // "already exists, skipping" and the like are no news to the operator.
        PQsetNoticeProcessor(writer.connection, [](void*, const char*) {}, nullptr);
        PGresult* result = PQexec(writer.connection, kCreateTable);
        const bool created = PQresultStatus(result) == PGRES_COMMAND_OK;
        PQclear(result);
        if (created) {
            if (m_unreachableSaid.exchange(false))
                std::cerr << "statdesk-service: usage events: database reachable again" << std::endl;
            return true;
        }
    }
    disconnect(writer, PQerrorMessage(writer.connection));
    return false;
}

void PostgresEventLog::disconnect(Writer& writer, const std::string& why) {
    if (!m_unreachableSaid.exchange(true))
        std::cerr << "statdesk-service: usage events: database out of reach (" << oneLine(why.c_str())
                  << "); events wait in " << m_spool.path() << std::endl;
    if (writer.connection)
        PQfinish(writer.connection);
    writer.connection = nullptr;
    writer.nextAttempt = Clock::now() + kRetryPause;
}

bool PostgresEventLog::replaySpool(Writer& writer) {
    std::vector<EventRecord> records;
    try {
        records = m_spool.load();
    } catch (const std::runtime_error& error) {
        std::cerr << "statdesk-service: usage events: " << error.what() << std::endl;
        return false;
    }
    for (size_t start = 0; start < records.size(); start += kMaxBatch) {
        std::vector<const EventRecord*> part;
        for (size_t i = start; i < std::min(records.size(), start + kMaxBatch); ++i)
            part.push_back(&records[i]);
        if (!insert(writer, part))
            return false;
    }
    try {
        m_spool.clear();
    } catch (const std::runtime_error& error) {
        std::cerr << "statdesk-service: usage events: " << error.what() << std::endl;
        return false;
    }
    m_spooled = false;
    if (!records.empty())
        std::cerr << "statdesk-service: usage events: " << records.size() << " spooled events stored"
                  << std::endl;
    return true;
}

bool PostgresEventLog::insert(Writer& writer, const std::vector<const EventRecord*>& records) {
    std::vector<const char*> values;
    std::vector<int> lengths;
    std::vector<int> formats;
    for (const EventRecord* record : records) {
        for (const std::string* field :
             {&record->id, &record->receivedAt, &record->peer, &record->replica, &record->line}) {
            values.push_back(field->data());
            lengths.push_back(static_cast<int>(field->size()));
            formats.push_back(field == &record->line ? 1 : 0); // the line goes as bytes, exactly
        }
    }
    PGresult* result = PQexecParams(writer.connection, insertStatement(records.size()).c_str(),
                                    static_cast<int>(values.size()), nullptr, values.data(), lengths.data(),
                                    formats.data(), 0);
    const bool stored = PQresultStatus(result) == PGRES_COMMAND_OK;
    const std::string error = stored ? std::string() : oneLine(PQresultErrorMessage(result));
    PQclear(result);
    if (!stored)
        disconnect(writer, error);
    return stored;
}

} // namespace statdesk::server
