#include "CsvTable.h"

#include <csv.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace statdesk::dataset {
namespace {

struct Collector {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> current;
};

void onField(void* data, size_t length, void* sink) {
    static_cast<Collector*>(sink)->current.emplace_back(static_cast<const char*>(data), length);
}

void onRowEnd(int, void* sink) {
    auto* c = static_cast<Collector*>(sink);
    c->lines.push_back(std::move(c->current));
    c->current.clear();
}

std::string trimCarriageReturn(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

} // namespace

CsvTable CsvTable::read(const std::filesystem::path& file, int headerLine) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return parse(text.str(), headerLine);
    } catch (const std::exception& e) {
        throw std::runtime_error(file.string() + ": " + e.what());
    }
}

CsvTable CsvTable::parse(std::string_view text, int headerLine) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    csv_parser parser;
    if (csv_init(&parser, CSV_APPEND_NULL) != 0)
        throw std::runtime_error("cannot start the CSV reader");
    Collector collector;
    const size_t used = csv_parse(&parser, text.data(), text.size(), onField, onRowEnd, &collector);
    const bool ok = used == text.size() && csv_fini(&parser, onField, onRowEnd, &collector) == 0;
    const std::string error = csv_strerror(csv_error(&parser));
    csv_free(&parser);
    if (!ok)
        throw std::runtime_error("malformed CSV: " + error);
    if (collector.lines.size() <= static_cast<size_t>(headerLine))
        throw std::runtime_error("no header line");

    CsvTable table;
    for (auto& name : collector.lines[static_cast<size_t>(headerLine)])
        table.m_header.push_back(trimCarriageReturn(name));
    for (size_t i = 0; i < table.m_header.size(); ++i)
        table.m_index.emplace(table.m_header[i], static_cast<int>(i));
    for (size_t i = static_cast<size_t>(headerLine) + 1; i < collector.lines.size(); ++i) {
        auto& row = collector.lines[i];
        row.resize(table.m_header.size());
        table.m_rows.push_back(std::move(row));
    }
    return table;
}

int CsvTable::column(std::string_view name) const {
    const auto it = m_index.find(std::string(name));
    if (it == m_index.end())
        throw std::runtime_error("missing column " + std::string(name));
    return it->second;
}

} // namespace statdesk::dataset
