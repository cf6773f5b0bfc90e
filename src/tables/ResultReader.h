#pragma once

#include "DatasetKind.h"
#include "RequestState.h"

#include <QByteArray>

#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace statdesk {

class THttpCli;

// One page of a result as the service sent it: rows position to position + rows - 1, whose lines
// start rowsOffset bytes into the reply.
class ResultPage final {
  public:
    // One row's reply lines in reply field order; the views last only for the call.
    using RowHandler = std::function<void(long long position, std::span<const std::string_view> fields)>;

    ResultPage(QByteArray reply, qsizetype rowsOffset, long long position, long long rows);

    // Hands each row to row, in order, splitting it into fields (sized to the family's field
    // count). Throws std::runtime_error at a row the reply ends in the middle of.
    void readRows(std::vector<std::string_view>& fields, const RowHandler& row) const;

  private:
    QByteArray m_reply;
    qsizetype m_rowsOffset;
    long long m_position;
    long long m_rows;
};

// The rows of a table window's result read in large pages through the window's query client: the
// page queries and host fallback of paging, with the window's sort codes and criteria.
class ResultReader final {
  public:
    // The service refuses larger pages.
    static constexpr int kLargestPage = 1000;

    using RowHandler = ResultPage::RowHandler;
    // After each page, rows read and rows in all; false stops the reading.
    using Progress = std::function<bool(long long done, long long total)>;
    // Each page as it arrives, before its progress; false stops the reading.
    using PageHandler = std::function<bool(ResultPage page)>;

    ResultReader(THttpCli& http, DatasetKind kind, const RequestState& state, int pageSize = kLargestPage);

    // Reads rows first to first + count - 1 of the result (count < 0: to its end), stopping at the
    // result's end. False when progress stopped it. Throws EHttpException when every host failed and
    // std::runtime_error when a reply ends before its last row.
    bool read(long long first, long long count, const RowHandler& row, const Progress& progress = {});
    // The same rows a page at a time, unsplit; false when the page handler or progress stopped it.
    bool readPages(long long first, long long count, const PageHandler& page, const Progress& progress = {});

    // TotalRows of the last reply; -1 before the first.
    long long totalRows() const { return m_totalRows; }

  private:
    THttpCli& m_http;
    DatasetKind m_kind;
    RequestState m_state;
    int m_pageSize;
    long long m_totalRows = -1;
    std::vector<std::string_view> m_fields;
};

} // namespace statdesk
