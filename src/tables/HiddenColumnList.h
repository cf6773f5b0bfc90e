#pragma once

#include <QString>

#include <vector>

namespace statdesk {

// The columns a table window has hidden, in the order they were hidden, each with the width it had.
class HiddenColumnList {
  public:
    struct Entry {
        int column;
        int width;
        QString unhideName;
    };

    // False (nothing added) when the column is already hidden.
    bool add(int column, int width, const QString& unhideName);
    // Removes the entries at the given positions and returns them in list order.
    std::vector<Entry> take(const std::vector<int>& positions);
    std::vector<Entry> takeAll();

    const std::vector<Entry>& entries() const { return m_entries; }
    bool contains(int column) const;

  private:
    std::vector<Entry> m_entries;
};

} // namespace statdesk
