#include "QueryRequest.h"

#include "Windows1252.h"

namespace statdesk {
namespace {

constexpr char kEndOfRequest = 26;

void appendNumber(QByteArray& out, long long value) {
    out += QByteArray::number(value);
    out += '!';
}

void appendCriteriaAndEnd(QByteArray& out, const QStringList& criteria) {
    if (criteria.isEmpty()) {
        out += "*\r\n";
    } else {
        for (const QString& line : criteria) {
            out += toWindows1252(line);
            out += "\r\n";
        }
    }
    out += kEndOfRequest;
}

} // namespace

char listLetter(ListKind kind) {
    switch (kind) {
    case ListKind::Players:
        return 'A';
    case ListKind::Teams:
        return 'D';
    case ListKind::Years:
        return 'C';
    case ListKind::Leagues:
        return 'E';
    }
    return 'A';
}

char criterionLetter(ListKind kind) {
    switch (kind) {
    case ListKind::Players:
        return 'A';
    case ListKind::Teams:
        return 'B';
    case ListKind::Years:
        return 'C';
    case ListKind::Leagues:
        return 'D';
    }
    return 'A';
}

QByteArray buildPageQuery(const RequestState& state) {
    QByteArray out;
    appendNumber(out, state.PageStart);
    appendNumber(out, state.PageSize);
    const std::vector<int>& codes = state.SortCodes;
    if (codes.size() == 2)
        out += "B!";
    else if (codes.size() == 3)
        out += "Y!";
    else if (codes.size() >= 4)
        out += "Z!";
    // The service knows at most four keys; an empty list asks for its default order.
    if (codes.empty())
        appendNumber(out, RequestState::kDefaultSortCode);
    for (size_t i = 0; i < codes.size() && i < 4; ++i)
        appendNumber(out, codes[i]);
    out += "\r\n";
    appendCriteriaAndEnd(out, state.CriteriaList);
    return out;
}

QByteArray buildListQuery(ListKind kind, const QStringList& criteria) {
    QByteArray out = "0!0!";
    out += listLetter(kind);
    out += "!\r\n";
    appendCriteriaAndEnd(out, criteria);
    return out;
}

} // namespace statdesk
