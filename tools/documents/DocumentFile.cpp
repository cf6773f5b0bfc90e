#include "DocumentFile.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace statdesk::shipped {

DocumentFile::DocumentFile(std::string title) {
    add(std::move(title));
    blank();
}

void DocumentFile::add(std::string line) {
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    if (line.find_first_of("\r\n") != std::string::npos)
        throw std::logic_error("a document line holds a line end: " + line);
    m_lines.push_back(std::move(line));
}

void DocumentFile::save(const std::filesystem::path& file, bool complemented) const {
    std::string bytes;
    for (const auto& line : m_lines) {
        for (const char c : line) {
            const auto byte = static_cast<unsigned char>(c);
            // A coded CR or LF would split the line for the reader; the playoff texts are plain ASCII.
            if (complemented && (byte < 0x20 || byte > 0x7E))
                throw std::logic_error("a playoff line must be printable ASCII: " + line);
            bytes += complemented ? static_cast<char>(255 - byte) : c;
        }
        bytes += "\r\n";
    }
    if (std::ifstream in{file, std::ios::binary}) {
        const std::string old{std::istreambuf_iterator<char>(in), {}};
        if (old == bytes)
            return; // leave the time stamp alone
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush())
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace statdesk::shipped
