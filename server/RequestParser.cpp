#include "RequestParser.h"

#include "ColumnMap.h"
#include "RequestError.h"

#include <algorithm>
#include <optional>

namespace statdesk::server {
namespace {

constexpr int kBadRequest = 400;
constexpr int kTooLarge = 413;
constexpr char kEndByte = 26;

[[noreturn]] void fail(int status, const std::string& reason) {
    throw RequestError(status, reason);
}

// Plain decimal with an optional "-"; a length bound keeps absurd numbers from overflowing.
std::optional<long long> parseInteger(std::string_view text) {
    size_t i = text.starts_with('-') ? 1 : 0;
    if (i == text.size() || text.size() - i > 12)
        return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return text.starts_with('-') ? -value : value;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
}

std::vector<std::string_view> bodyLines(std::string_view body) {
    if (body.size() > kMaxBodyBytes)
        fail(kTooLarge, kBodyTooLargeReason);
    if (body.empty() || body.back() != kEndByte)
        fail(kBadRequest, "Request does not end with byte 26");
    body.remove_suffix(1);
    if (body.find(kEndByte) != std::string_view::npos || body.find('\0') != std::string_view::npos)
        fail(kBadRequest, "Control byte inside the request");
    if (!body.ends_with("\r\n"))
        fail(kBadRequest, "Request line without CR LF");
    body.remove_suffix(2);
    auto lines = split(body, "\r\n");
    for (std::string_view line : lines) {
        if (line.find_first_of("\r\n") != std::string_view::npos)
            fail(kBadRequest, "Bare CR or LF in the request");
    }
    if (lines.size() < 2)
        fail(kBadRequest, "Request without criteria lines");
    return lines;
}

// A number that names no column is kept and later ignored, like every other unknown code.
int sortCode(std::string_view text) {
    constexpr long long kFarOutside = 1000000;
    const auto code = parseInteger(text);
    if (!code)
        fail(kBadRequest, "Bad sort code");
    return static_cast<int>(std::clamp(*code, -kFarOutside, kFarOutside));
}

void parseHead(std::string_view head, Family family, ServiceRequest& request) {
    if (!head.ends_with('!'))
        fail(kBadRequest, "Head line does not end with \"!\"");
    head.remove_suffix(1);
    const auto parts = split(head, "!");
    if (parts.size() < 3)
        fail(kBadRequest, "Head line too short");
    const auto start = parseInteger(parts[0]);
    const auto size = parseInteger(parts[1]);
    if (!start || *start < 0)
        fail(kBadRequest, "Bad page start");
    if (!size || *size < 0)
        fail(kBadRequest, "Bad page size");
    if (*size > kMaxPageSize)
        fail(kTooLarge, "Page size over 1000");
    request.pageStart = *start;
    request.pageSize = static_cast<int>(*size);

    const std::string_view order = parts[2];
    const size_t codeCount = order == "B" ? 2 : order == "Y" ? 3 : order == "Z" ? 4 : 0;
    if (codeCount > 0) {
        if (parts.size() != 3 + codeCount)
            fail(kBadRequest, "Wrong number of sort codes");
        for (size_t i = 0; i < codeCount; ++i)
            request.sortCodes.push_back(sortCode(parts[3 + i]));
        return;
    }
    if (parts.size() != 3)
        fail(kBadRequest, "Bad order part");
    static constexpr std::string_view kListLetters = "ADCE";
    const size_t list = order.size() == 1 ? kListLetters.find(order[0]) : std::string_view::npos;
    if (list == std::string_view::npos) {
        request.sortCodes.push_back(sortCode(order));
        return;
    }
    if (request.pageStart != 0 || request.pageSize != 0)
        fail(kBadRequest, "List query with a page");
    request.isList = true;
    request.list = static_cast<ListKind>(list);
    if (request.list == ListKind::Players && family != Family::Players)
        fail(kBadRequest, "No player list in a team dataset");
}

// The limit dialog sends the bounds as typed and cuts the line at 50 characters, so a bound may
// hold "!" and the maximum (or its final "!") may be missing: the column ends at the first "!",
// the minimum at the next one, and the maximum takes the rest (empty when cut away).
Criterion rangeLimit(std::string_view text, Family family) {
    const size_t columnEnd = text.find('!');
    if (columnEnd == std::string_view::npos)
        fail(kBadRequest, "Bad limit line");
    const auto column = parseInteger(text.substr(0, columnEnd));
    if (!column)
        fail(kBadRequest, "Bad limit column");
    if (*column < 0 || *column >= columnCount(family))
        fail(kBadRequest, "Limit column out of range");
    std::string_view bounds = text.substr(columnEnd + 1);
    if (bounds.ends_with('!'))
        bounds.remove_suffix(1);
    const size_t minimumEnd = bounds.find('!');
    Criterion limit;
    limit.letter = 'E';
    limit.column = static_cast<int>(*column);
    limit.minimum = bounds.substr(0, minimumEnd);
    if (minimumEnd != std::string_view::npos)
        limit.maximum = bounds.substr(minimumEnd + 1);
    return limit;
}

Criterion criterion(std::string_view line, Family family) {
    if (line.empty())
        fail(kBadRequest, "Empty criterion line");
    if (line.size() > kMaxCriterionLength)
        fail(kBadRequest, "Criterion line over 50 characters");
    const char letter = line[0];
    if (letter == 'E')
        return rangeLimit(line.substr(1), family);
    if (letter < 'A' || letter > 'D')
        fail(kBadRequest, "Unknown criterion letter");
    Criterion chosen;
    chosen.letter = letter;
    chosen.value = line.substr(1);
    return chosen;
}

} // namespace

ServiceRequest parseRequest(std::string_view body, Family family) {
    const auto lines = bodyLines(body);
    if (lines.size() - 1 > static_cast<size_t>(kMaxCriteriaLines))
        fail(kTooLarge, "Over 500 criteria lines");
    ServiceRequest request;
    parseHead(lines[0], family, request);

    CriteriaGroup group;
    bool groupOpen = false;
    for (size_t i = 1; i < lines.size(); ++i) {
        request.criteriaText.append(lines[i]).push_back('\n');
        if (lines[i] == "*") {
            request.groups.push_back(std::move(group));
            group.clear();
            groupOpen = false;
            continue;
        }
        group.push_back(criterion(lines[i], family));
        groupOpen = true;
    }
    if (groupOpen)
        request.groups.push_back(std::move(group));
    return request;
}

} // namespace statdesk::server
