#pragma once

#include "CsvWriter.h"
#include "ReplyLayout.h"
#include "ResultReader.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

class QFileDevice;

namespace statdesk {

// Turns a result's pages into the CSV that exportResultCsv describes and writes it to a file on a
// thread of its own, so that the next page is fetched while one is written.
class CsvPageWriter final {
  public:
    // Writes the title row; the file must stay open until finish().
    CsvPageWriter(QFileDevice& file, Family family);
    // Finishes if finish() was not called.
    ~CsvPageWriter();
    CsvPageWriter(const CsvPageWriter&) = delete;
    CsvPageWriter& operator=(const CsvPageWriter&) = delete;

    // Queues a page for writing; waits while two are waiting already. False once the writing has
    // failed: the page is then dropped.
    bool add(ResultPage page);
    // Writes every page queued and the rest of the buffer, and ends the thread.
    void finish();

    enum class Failure { None, Reply, File };
    // After finish(): what stopped the writing, if anything, and in the user's words.
    Failure failure() const { return m_failure; }
    const QString& failureText() const { return m_failureText; }
    // Rows written; after a failure, those before it.
    long long rows() const { return m_rows; }

  private:
    // Column i of the grid, in the file's order.
    struct Column {
        size_t field;
        bool text;
    };

    void run();
    void writeRow(std::span<const std::string_view> fields);
    void flush();
    void stop(Failure failure, const char* text);

    QFileDevice& m_file;
    Family m_family;
    std::vector<Column> m_columns;
    CsvWriter m_csv;
    long long m_rows = 0;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<ResultPage> m_pages;
    bool m_closed = false;
    Failure m_failure = Failure::None;
    QString m_failureText;
    std::thread m_thread;
};

} // namespace statdesk
