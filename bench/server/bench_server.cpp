// Prints how the service's query engine compares with a bare SQLite statement computing the same page
// and totals, and how the service holds up under concurrent clients on loopback.
#include "DerivedValues.h"
#include "EventLog.h"
#include "HttpService.h"
#include "LoadRun.h"
#include "ServiceServer.h"
#include "SyntheticDatabase.h"
#include "TableLoader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sqlite3.h>
#include <thread>

using namespace statdesk;
using namespace statdesk::server;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 15;
// Column 30 is the performance rating per game (reply field 29), a derived value.
const std::string kPageRequest = "0!20!30!\r\n*\r\n\x1a";
constexpr int kSortField = 29;

double medianMilliseconds(const std::function<void()>& work) {
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[kRuns / 2];
}

std::string databasePath(int argc, char** argv) {
    if (argc > 1)
        return argv[1];
    const char* buildDir = std::getenv("STATDESK_BUILD_DIR");
    for (const std::string& candidate :
         {std::string(buildDir ? buildDir : ".") + "/data/statdesk.db", std::string("data/statdesk.db")}) {
        if (std::filesystem::exists(candidate))
            return candidate;
    }
    const std::string synthetic = (std::filesystem::temp_directory_path() / "statdesk-bench.db").string();
    std::printf("no statistics database found: using %s with made-up rows\n", synthetic.c_str());
    writeSyntheticDatabase(synthetic, 26000, 1800);
    return synthetic;
}

// The same page and totals straight from SQLite: one ordered statement, one summing statement.
class BareStatement {
  public:
    explicit BareStatement(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        const std::string field = "f" + std::to_string(kSortField);
        prepare("SELECT * FROM players_regular ORDER BY (" + field + " = -999), " + field +
                    " DESC, f0 COLLATE NOCASE, season_start, row_key LIMIT 20",
                &m_page);
        std::string sums = "SELECT 0";
        for (int i = 0; i < kPlayerFieldCount; ++i) {
            if (stats::isCountingField(Family::Players, i))
                sums +=
                    ", SUM(CASE WHEN f" + std::to_string(i) + " <> -999 THEN f" + std::to_string(i) + " END)";
        }
        prepare(sums + " FROM players_regular", &m_totals);
    }
    ~BareStatement() {
        sqlite3_finalize(m_page);
        sqlite3_finalize(m_totals);
        sqlite3_close(m_db);
    }

    std::string run() {
        std::string out;
        for (sqlite3_stmt* statement : {m_page, m_totals}) {
            sqlite3_reset(statement);
            while (sqlite3_step(statement) == SQLITE_ROW) {
                for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                    const auto* text = sqlite3_column_text(statement, column);
                    out.append(text ? reinterpret_cast<const char*>(text) : "").append("\r\n");
                }
            }
        }
        return out;
    }

  private:
    void prepare(const std::string& sql, sqlite3_stmt** statement) {
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(m_db));
    }

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_page = nullptr;
    sqlite3_stmt* m_totals = nullptr;
};

void comparePage(const std::string& path) {
    QueryEngine cold(loadTables(path), 0); // every request computes its result afresh
    QueryEngine warm(loadTables(path));
    BareStatement bare(path);
    size_t sink = 0;
    warm.answer(Dataset::PlayersRegular, kPageRequest);
    const double baseline = medianMilliseconds([&] { sink += bare.run().size(); });
    const double first =
        medianMilliseconds([&] { sink += cold.answer(Dataset::PlayersRegular, kPageRequest).size(); });
    const double repeated =
        medianMilliseconds([&] { sink += warm.answer(Dataset::PlayersRegular, kPageRequest).size(); });
    std::printf("20-row page + totals, %zu player rows, sorted by a derived column (median of %d):\n",
                cold.table(Dataset::PlayersRegular).rowCount(), kRuns);
    std::printf("  bare SQLite statement   %8.3f ms  (baseline)\n", baseline);
    std::printf("  engine, first request   %8.3f ms  ratio %.2f  (goal <= 1.25)\n", first, first / baseline);
    std::printf("  engine, repeated        %8.3f ms  ratio %.3f  (goal <= 0.25)\n", repeated,
                repeated / baseline);
    if (sink == 0)
        std::printf("(no output)\n");
}

void loadRuns(const std::string& path) {
    QueryEngine engine(loadTables(path));
    EventLog events((std::filesystem::temp_directory_path() / "statdesk-bench-events.log").string());
    HttpService service(engine, SiteConfig::builtIn(), events);
    ServiceServer server;
    service.install(server);
    const int port = server.bindTo("127.0.0.1", 0);
    std::thread listener([&] { server.listen_after_bind(); });
    const auto rows = static_cast<long>(engine.table(Dataset::PlayersRegular).rowCount());
    std::printf("concurrent clients paging 20 player rows at random positions and sort orders:\n");
    for (const auto& [clients, perClient] : {std::pair{1, 200}, std::pair{8, 40}, std::pair{64, 8}}) {
        const LoadResult result = runLoad(port, clients, perClient, 15.0, rows);
        std::printf("  %2d clients: %5zu requests, %6.1f requests/s, p99 %7.2f ms, %zu errors\n", clients,
                    result.requests, static_cast<double>(result.requests) / result.seconds,
                    result.p99Milliseconds, result.errors);
    }
    server.stop();
    listener.join();
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string path = databasePath(argc, argv);
        std::printf("database: %s\n", path.c_str());
        comparePage(path);
        loadRuns(path);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_server: %s\n", error.what());
        return 1;
    }
}
