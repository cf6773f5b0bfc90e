#pragma once

#include "CsvWriter.h"
#include "ResultReader.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

class QSaveFile;

namespace statdesk {

// Turns a result's pages into CSV rows and writes them to a file on a thread of its own, so that
// reading the rows, converting and writing them overlap the waits for the next page. The file gets
// the title row first; the caller commits or cancels it after finish().
class CsvPageWriter final {
  public:
    enum class Failure { None, Write, Reply };

    CsvPageWriter(QSaveFile& file, Family family);
    ~CsvPageWriter();
    CsvPageWriter(const CsvPageWriter&) = delete;
    CsvPageWriter& operator=(const CsvPageWriter&) = delete;

    // Queues a page, waiting while a few are queued already; false once writing has failed.
    bool add(ResultPage page);
    // Writes what is queued and ends the thread; how writing ended. Only then are rows() and
    // error() valid. Again later, it only tells how writing ended.
    Failure finish();
    long long rows() const { return m_rows; }
    const QString& error() const { return m_error; }

  private:
    struct Column {
        int column;
        int field;
        bool text;
    };

    void run();
    void writePage(const ResultPage& page);
    void flush();

    QSaveFile& m_file;
    Family m_family;
    std::vector<Column> m_columns;
    CsvWriter m_csv;
    long long m_rows = 0;
    QString m_error;

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<ResultPage> m_pages; // guarded by m_mutex
    bool m_closed = false;          // guarded by m_mutex
    Failure m_failure = Failure::None; // written by the thread under m_mutex
    std::thread m_thread;
};

} // namespace statdesk
