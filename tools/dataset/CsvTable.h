#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace statdesk::dataset {

// A whole comma-separated file in memory: one header line, then rows of fields.
class CsvTable {
  public:
    // headerLine: the line holding the column names; lines before it are skipped.
    static CsvTable read(const std::filesystem::path& file, int headerLine = 0);
    static CsvTable parse(std::string_view text, int headerLine = 0);

    // Index of a column; throws when the file has no such column.
    int column(std::string_view name) const;
    const std::vector<std::vector<std::string>>& rows() const { return m_rows; }

  private:
    std::vector<std::string> m_header;
    std::unordered_map<std::string, int> m_index;
    std::vector<std::vector<std::string>> m_rows;
};

} // namespace statdesk::dataset
