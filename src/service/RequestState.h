#pragma once

#include <QStringList>

#include <vector>

namespace statdesk {

// What a table window asks for: sent whole with every query.
struct RequestState {
    static constexpr int kDefaultSortCode = 300;
    static constexpr int kMaxCriteriaLines = 500;
    static constexpr int kCriterionCapacity = 50;

    // One to four codes: column n descending, n + 100 ascending, 300 the service's own order.
    std::vector<int> SortCodes{kDefaultSortCode};
    QStringList CriteriaList;
    int PageStart = 0; // 0-based position of the first row asked for
    int PageSize = 0;  // rows asked for

    // Appends a line cut to 50 characters; false (nothing appended) once the list holds 500 lines.
    bool appendCriterion(const QString& line);
    // Appends every line (each cut to 50 characters), or none when they would pass 500 lines.
    bool appendGroup(const QStringList& lines);
    // Back to the single code 300 and no criteria.
    void reset();
};

} // namespace statdesk
