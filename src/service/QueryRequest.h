#pragma once

#include "RequestState.h"

#include <QByteArray>

namespace statdesk {

// Which values a list query asks for.
enum class ListKind { Players, Teams, Years, Leagues };

char listLetter(ListKind kind);      // "A", "D", "C", "E"
char criterionLetter(ListKind kind); // "A", "B", "C", "D"

// Body of a page query: head line with the sort form chosen by the number of codes, the criteria
// lines or "*", then the byte 26. Texts travel as single bytes (Latin-1).
QByteArray buildPageQuery(const RequestState& state);
// Body of a list query: "0!0!" + list letter + "!", the criteria lines or "*", the byte 26.
QByteArray buildListQuery(ListKind kind, const QStringList& criteria);

} // namespace statdesk
