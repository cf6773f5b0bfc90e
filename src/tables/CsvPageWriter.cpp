#include "CsvPageWriter.h"

#include "ColumnCatalogue.h"
#include "NotRecorded.h"
#include "Windows1252.h"

#include <QSaveFile>

#include <algorithm>
#include <stdexcept>

namespace statdesk {
namespace {

// Written to the file in pieces of this size rather than a row at a time.
constexpr size_t kFlushBytes = 1 << 20;
// Pages waiting for the writer; the reader waits beyond this, which bounds the memory held.
constexpr size_t kQueuedPages = 4;

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

class SaveFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace

CsvPageWriter::CsvPageWriter(QSaveFile& file, Family family)
    : m_file(file), m_family(family), m_csv(',', "\r\n") {
    for (int column = 0; column < columnCount(m_family); ++column) {
        const int field = replyFieldOfColumn(m_family, column);
        m_columns.push_back(
            {column, field, replyFields(m_family)[static_cast<size_t>(field)].type == FieldType::Text});
    }
    // One buffer for the whole file, a row beyond the flush size.
    m_csv.reserve(kFlushBytes + (1 << 16));
    for (int column = 0; column < columnCount(m_family); ++column) {
        const std::string_view name = columnLongName(m_family, column);
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
    m_changed.wait(lock, [&] { return m_pages.size() < kQueuedPages || m_failure != Failure::None; });
    if (m_failure != Failure::None)
        return false;
    m_pages.push_back(std::move(page));
    m_changed.notify_all();
    return true;
}

CsvPageWriter::Failure CsvPageWriter::finish() {
    if (!m_thread.joinable())
        return m_failure;
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
    m_thread.join();
    return m_failure;
}

void CsvPageWriter::run() {
    Failure failure = Failure::None;
    try {
        for (;;) {
            ResultPage page;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [&] { return !m_pages.empty() || m_closed; });
                if (m_pages.empty())
                    break;
                page = std::move(m_pages.front());
                m_pages.pop_front();
            }
            m_changed.notify_all();
            writePage(page);
        }
        flush();
    } catch (const SaveFailure& error) {
        failure = Failure::Write;
        m_error = QString::fromStdString(error.what());
    } catch (const std::runtime_error& error) {
        failure = Failure::Reply;
        m_error = QString::fromStdString(error.what());
    }
    const std::lock_guard lock(m_mutex);
    m_failure = failure;
    m_changed.notify_all();
}

void CsvPageWriter::writePage(const ResultPage& page) {
    readPageRows(page, m_family, [&](long long, std::span<const std::string_view> fields) {
        for (const Column& column : m_columns) {
            const std::string_view line = fields[static_cast<size_t>(column.field)];
            if (isNotRecorded(m_family, column.column, line))
                m_csv.addUtf8Field({});
            else if (column.text && !isAscii(line))
                m_csv.addField(fromWindows1252(line));
            else
                m_csv.addUtf8Field(line);
        }
        m_csv.endRow();
        ++m_rows;
        if (m_csv.size() >= kFlushBytes)
            flush();
    });
}

void CsvPageWriter::flush() {
    if (m_file.write(m_csv.bytes().data(), static_cast<qint64>(m_csv.size())) != static_cast<qint64>(m_csv.size()))
        throw SaveFailure(m_file.errorString().toStdString());
    m_csv.clear();
}

} // namespace statdesk
