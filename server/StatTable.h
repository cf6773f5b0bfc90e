#pragma once

#include "ReplyLayout.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace statdesk::server {

// One dataset held in memory by column; the data are read-only while the service runs.
class StatTable {
  public:
    explicit StatTable(Family family);

    // texts and values are indexed by reply field; only the entries of the field's type are read.
    void appendRow(long long rowKey, int seasonStart, std::vector<std::string> texts,
                   const std::vector<double>& values);

    Family family() const { return m_family; }
    size_t rowCount() const { return m_rowKey.size(); }
    long long rowKey(size_t row) const { return m_rowKey[row]; }
    int seasonStart(size_t row) const { return m_seasonStart[row]; }
    const std::string& text(int field, size_t row) const;
    // Lower case, trailing blanks removed: what selections and text limits compare.
    const std::string& foldedText(int field, size_t row) const;
    double value(int field, size_t row) const;
    const std::vector<double>& values(int field) const;
    bool isMissing(int field, size_t row) const;

    // Season start of a year text, chronological order for texts such as "9900" and "0001".
    int seasonOfYearText(const std::string& yearText) const;

  private:
    Family m_family;
    std::vector<FieldType> m_types;
    std::vector<long long> m_rowKey;
    std::vector<int> m_seasonStart;
    std::vector<std::vector<std::string>> m_text;
    std::vector<std::vector<std::string>> m_folded;
    std::vector<std::vector<double>> m_value;
    std::unordered_map<std::string, int> m_seasonOfYear;
};

std::string foldText(std::string_view text);

} // namespace statdesk::server
