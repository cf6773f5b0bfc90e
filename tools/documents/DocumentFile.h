#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace statdesk::shipped {

// One shipped reference file: a title line, a blank line, then the body, each line Windows-1252 text.
class DocumentFile {
  public:
    explicit DocumentFile(std::string title);

    void add(std::string line);
    void blank() { add({}); }
    const std::vector<std::string>& lines() const { return m_lines; }

    // Writes the lines with CR LF ends; complemented stores each byte of a line as 255 minus its value
    // (the playoff files), leaving the line ends plain. Nothing is rewritten when the bytes are the same.
    void save(const std::filesystem::path& file, bool complemented = false) const;

  private:
    std::vector<std::string> m_lines;
};

} // namespace statdesk::shipped
