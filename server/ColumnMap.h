#pragma once

#include "ReplyLayout.h"

// Grid column numbers (what sort codes and limit lines name) against reply field numbers.
namespace statdesk::server {

int columnCount(Family family);

// Reply field shown by a grid column, or -1 for a column the family does not have.
int fieldOfColumn(Family family, int column);

inline constexpr int kYearField = 4;

// Fields the select criteria and the default order look at.
int nameField(Family family); // player name / team name
int teamField(Family family); // the text a team is chosen by
int leagueField(Family family);

} // namespace statdesk::server
