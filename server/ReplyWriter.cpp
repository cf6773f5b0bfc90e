#include "ReplyWriter.h"

#include "NumberText.h"

#include <cmath>

namespace statdesk::server {
namespace {

std::string numberText(Family family, FieldType type, double value) {
    if (!std::isfinite(value))
        value = family == Family::Players ? kPlayerMissing : kTeamMissingInteger;
    if (type == FieldType::Integer)
        return writeWholeNumber(std::llround(value));
    return writeRealNumber(value);
}

} // namespace

void appendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

void appendRowBlock(std::string& out, const StatTable& table, size_t row) {
    const auto fields = replyFields(table.family());
    for (size_t field = 0; field < fields.size(); ++field) {
        const int index = static_cast<int>(field);
        if (fields[field].type == FieldType::Text)
            appendLine(out, table.text(index, row));
        else
            appendLine(out, numberText(table.family(), fields[field].type, table.value(index, row)));
    }
}

void appendBlankBlock(std::string& out, Family family) {
    for (int field = 0; field < fieldCount(family); ++field)
        out.append("\r\n");
}

void appendStatRow(std::string& out, const stats::StatRow& row) {
    const auto fields = replyFields(row.family);
    for (size_t field = 0; field < fields.size(); ++field) {
        if (fields[field].type == FieldType::Text)
            appendLine(out, row.text[field]);
        else
            appendLine(out, numberText(row.family, fields[field].type, row.value[field]));
    }
}

} // namespace statdesk::server
