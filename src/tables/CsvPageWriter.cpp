#include "CsvPageWriter.h"

#include "ColumnCatalogue.h"
#include "NotRecorded.h"
#include "Windows1252.h"

#include <QFileDevice>

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace statdesk {
namespace {

// Written to the file in pieces of this size rather than a row at a time.
constexpr size_t kFlushBytes = 1 << 20;
// Pages fetched and not yet written; each holds about 1 MB of reply.
constexpr size_t kWaitingPages = 2;

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

class FileFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace

CsvPageWriter::CsvPageWriter(QFileDevice& file, Family family)
    : m_file(file), m_family(family), m_csv(',', "\r\n") {
    for (int column = 0; column < columnCount(family); ++column) {
        const int field = replyFieldOfColumn(family, column);
        m_columns.push_back({static_cast<size_t>(field),
                             replyFields(family)[static_cast<size_t>(field)].type == FieldType::Text});
    }
    // One buffer for the whole file, a row beyond the flush size.
    m_csv.reserve(kFlushBytes + (1 << 16));
    for (int column = 0; column < columnCount(family); ++column) {
        const std::string_view name = columnLongName(family, column);
        // Some long names are padded to a width; a title needs no trailing blanks.
        m_csv.addField(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).trimmed());
    }
    m_csv.endRow();
    m_thread = std::thread([this] { run(); });
}

CsvPageWriter::~CsvPageWriter() {
    finish();
}

bool CsvPageWriter::add(ResultPage page) {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_pages.size() < kWaitingPages || m_failure != Failure::None; });
    if (m_failure != Failure::None)
        return false;
    m_pages.push_back(std::move(page));
    lock.unlock();
    m_changed.notify_all();
    return true;
}

void CsvPageWriter::finish() {
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CsvPageWriter::run() {
    std::vector<std::string_view> fields(static_cast<size_t>(fieldCount(m_family)));
    try {
        for (;;) {
            std::optional<ResultPage> page;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return !m_pages.empty() || m_closed; });
                if (m_pages.empty())
                    break;
                page.emplace(std::move(m_pages.front()));
                m_pages.pop_front();
            }
            m_changed.notify_all();
            page->readRows(fields,
                           [this](long long, std::span<const std::string_view> row) { writeRow(row); });
        }
        flush();
    } catch (const FileFailure& failure) {
        stop(Failure::File, failure.what());
    } catch (const std::runtime_error& failure) {
        stop(Failure::Reply, failure.what());
    }
}

void CsvPageWriter::stop(Failure failure, const char* text) {
    {
        std::lock_guard lock(m_mutex);
        m_failure = failure;
        m_failureText = QString::fromUtf8(text);
        m_pages.clear();
    }
    // A reader waiting for room learns of it.
    m_changed.notify_all();
}

void CsvPageWriter::writeRow(std::span<const std::string_view> fields) {
    for (size_t column = 0; column < m_columns.size(); ++column) {
        const std::string_view line = fields[m_columns[column].field];
        if (isNotRecorded(m_family, static_cast<int>(column), line))
            m_csv.addUtf8Field({});
        else if (m_columns[column].text && !isAscii(line))
            m_csv.addField(fromWindows1252(line));
        else
            m_csv.addUtf8Field(line);
    }
    m_csv.endRow();
    ++m_rows;
    if (m_csv.size() >= kFlushBytes)
        flush();
}

void CsvPageWriter::flush() {
    // A write cut short (a disk filling up) gives no reason; the next one fails with it.
    std::string_view rest = m_csv.bytes();
    while (!rest.empty()) {
        const qint64 written = m_file.write(rest.data(), static_cast<qint64>(rest.size()));
        if (written <= 0)
            throw FileFailure(m_file.errorString().toStdString());
        rest.remove_prefix(static_cast<size_t>(written));
    }
    m_csv.clear();
}

} // namespace statdesk
