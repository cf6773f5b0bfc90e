#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace statdesk {

// The entries of a list in a form that finds a typed text anywhere in them without regard to case or
// accents. The forms are made once per list, so narrowing as the user types only compares.
class SearchIndex {
  public:
    // Case folded, decomposed without its marks, and the letters that have no decomposition spelled
    // with plain ones ("Guðmundsson" reads "gudmundsson", "Pleiß" reads "pleiss").
    static QString fold(QStringView text);

    void reset(const QStringList& entries);
    // Positions of the entries containing typed, in list order; every entry for an empty text.
    std::vector<int> matching(QStringView typed) const;

  private:
    std::vector<QString> m_keys;
};

} // namespace statdesk
