#include "ColumnCatalogue.h"

#include <array>

namespace statdesk {
namespace {
using enum CellKind;

// One line per column, in column order: header 1, header 2, sort-list name, limit-list name, unhide
// name, reply field, data-row format, totals-row format, initial width.
// clang-format off
const std::array<ColumnInfo, kPlayerFieldCount> kPlayerColumns = {{
    {"", "PLAYER NAME", "player name", "player name", "player name", 0, {Text, 0, 0, 0}, {Text, 0, 0, 0}, 130},
    {"", " YEAR", "year", "year", "year", 4, {Text, 0, 0, 4}, {Blank, 0, 0, 4}, 58},
    {"TEAM", "CODE", "team code", "team code", "team code", 2, {Text, 0, 0, 2}, {Blank, 0, 0, 2}, 50},
    {"", "TEAM NAME", "team name", "team name", "team name", 3, {Text, 0, 0, 3}, {Blank, 0, 0, 3}, 170},
    {"", "LGE", "LGE     - league", "LGE     - league", "league", 1, {Text, 0, 0, 1}, {Blank, 0, 0, 1}, 40},
    {"", " HT", "HT      - height", "HT      - height", "height", 5, {Height, 0, 0, 5}, {Blank, 0, 0, 5}, 40},
    {"", "     G", "G       - games", "G       - games", "games", 6, {Int, 6, 0, 6}, {Int, 6, 0, 6}, 43},
    {"", "     MIN", "MIN     - minutes", "MIN     - minutes", "minutes", 7, {Int, 8, 0, 7}, {Int, 8, 0, 7}, 56},
    {"", "    FGM", "FGM     - field goals made", "FGM     - field goals made", "FGM     - field goals made", 8, {Int, 7, 0, 8}, {Int, 7, 0, 8}, 50},
    {"", "    FGA", "FGA     - field goals attempted", "FGA     - field goals attempted", "FGA     - field goals attempte", 9, {Int, 7, 0, 9}, {Int, 7, 0, 9}, 50},
    {"", "    FG%", "FG%     - field goal percentage", "FG%     - field goal percentage", "FG%     - field goal percentag", 10, {Real, 7, 1, 10}, {Real, 7, 1, 10}, 50},
    {"    EFF", "    FG%", "EFF FG% - effective FG%", "EFF FG% - effective FG%", "effective FG%", 11, {Real, 7, 1, 11}, {Real, 7, 1, 11}, 50},
    {"    2PT", "    FG%", "2PT FG%", "2PT FG%", "2PT FG%", 12, {Real, 7, 1, 12}, {Real, 7, 1, 12}, 50},
    {"   3PT", "   FGM", "3PT FGM", "3PT FGM", "3PT FGM", 13, {Int, 6, 0, 13}, {Int, 6, 0, 13}, 43},
    {"   3PT", "   FGA", "3PT FGA", "3PT FGA", "3PT FGA", 14, {Int, 6, 0, 14}, {Int, 6, 0, 14}, 50},
    {"  3PT", "  FG%", "3PT FG%", "3PT FG%", "3PT FG%", 15, {Real, 5, 1, 15}, {Real, 5, 1, 15}, 40},
    {"", "    FTM", "FTM     - free throws made", "FTM     - free throws made", "FTM     - free throws made", 16, {Int, 7, 0, 16}, {Int, 7, 0, 16}, 50},
    {"", "    FTA", "FTA     - free throws attempted", "FTA     - free throws attempted", "FTA     - free throws attempte", 17, {Int, 7, 0, 17}, {Int, 7, 0, 17}, 50},
    {"", "   FT%", "FT%     - free throw percentage", "FT%     - free throw percentage", "FT%     - free throw percentag", 18, {Real, 6, 1, 18}, {Real, 6, 1, 18}, 43},
    {"   OFF", "   REB", "OFF REB - offensive rebounds", "OFF REB - offensive rebounds", "OFF REB - offensive rebounds", 19, {Int, 6, 0, 19}, {Int, 6, 0, 19}, 45},
    {"    DEF", "    REB", "DEF REB - defensive rebounds", "DEF REB - defensive rebounds", "DEF REB - defensive rebounds", 20, {Int, 7, 0, 20}, {Int, 7, 0, 20}, 50},
    {"    TOT", "    REB", "TOT REB - total rebounds", "TOT REB - total rebounds", "TOT REB - total rebounds", 21, {Int, 7, 0, 21}, {Int, 7, 0, 21}, 50},
    {"", "    AST", "AST     - assists", "AST     - assists", "AST     - assists", 22, {Int, 7, 0, 22}, {Int, 7, 0, 22}, 50},
    {"", "     PF", "PF      - personal fouls", "PF      - personal fouls", "PF      - personal fouls", 23, {Int, 7, 0, 23}, {Int, 7, 0, 23}, 48},
    {"", "    DQ", "DQ      - disqualifications", "DQ      - disqualifications", "DQ      - disqualifications", 24, {Int, 6, 0, 24}, {Int, 6, 0, 24}, 44},
    {"", "    ST", "ST      - steals", "ST      - steals", "ST      - steals", 25, {Int, 6, 0, 25}, {Int, 6, 0, 25}, 44},
    {"", "    TO", "TO      - turnovers", "TO      - turnovers", "TO      - turnovers", 26, {Int, 6, 0, 26}, {Int, 6, 0, 26}, 48},
    {"", "    BS", "BS      - blocked shots", "BS      - blocked shots", "BS      - blocked shots", 27, {Int, 6, 0, 27}, {Int, 6, 0, 27}, 43},
    {"", "    PTS", "PTS     - points scored", "PTS     - points scored", "points scored", 45, {Int, 7, 0, 45}, {Int, 7, 0, 45}, 50},
    {"", "   AVG", "AVG     - average points per game", "AVG     - average points per game", "average - points per game", 28, {Real, 6, 1, 28}, {Real, 6, 1, 28}, 50},
    {"   PRFM", "  /G", "PRFM RAT - performance rating per game", "PRFM RAT - performance pts/g", "performance pts/g", 29, {Real, 5, 1, 29}, {Real, 5, 1, 29}, 50},
    {" RAT", " /MIN", "PRFM RAT - performance rating per minute", "PRFM RAT - performance pts/min", "performance pts/min", 30, {Real, 6, 3, 30}, {Real, 6, 3, 30}, 45},
    {"OLD PRFM", "   /G", "OLD PRFM RAT - old performance rating per game", "OLD PRFM RAT - old performance pts/g", "old performance pts/g", 31, {Real, 6, 1, 31}, {Real, 6, 1, 31}, 60},
    {" RAT", " /MIN", "OLD PRFM RAT - old performance rating per minute", "OLD PRFM RAT - old performance pts/min", "old performance pts/min", 32, {Real, 6, 3, 32}, {Real, 6, 3, 32}, 45},
    {"  POSS", "  FACT", "POSS FACT - possession factor", "POSS FACT - possession factor", "possession factor", 33, {Real, 6, 2, 33}, {Blank, 0, 0, 33}, 50},
    {"  %", "SHOT", "% shoot", "% shoot", "% shoot", 34, {Real, 4, 0, 34}, {Blank, 0, 0, 34}, 40},
    {"%3PT", "SHOT", "% 3pt shoot", "% 3pt shoot", "% 3pt shoot", 35, {Real, 3, 0, 35}, {Blank, 0, 0, 35}, 30},
    {"  %", " FLD", "% fouled", "% fouled", "% fouled", 36, {Real, 3, 0, 36}, {Blank, 0, 0, 36}, 30},
    {"  %", " TO", "% to", "% to", "% to", 37, {Real, 3, 0, 37}, {Blank, 0, 0, 37}, 30},
    {" %", "PASS", "% pass", "% pass", "% pass", 38, {Real, 3, 0, 38}, {Blank, 0, 0, 38}, 30},
    {" OREB", "  RAT", "OREB RAT - off reb rating", "OREB RAT - off reb rating", "off reb rating", 39, {Real, 5, 1, 39}, {Real, 5, 1, 39}, 50},
    {"DREB", " RAT", "DREB RAT - def reb rating", "DREB RAT - def reb rating", "def reb rating", 40, {Real, 4, 1, 40}, {Real, 4, 1, 40}, 40},
    {"TREB", " RAT", "TREB RAT - tot reb rating", "TREB RAT - tot reb rating", "tot reb rating", 41, {Real, 4, 1, 41}, {Real, 4, 1, 41}, 40},
    {" %", "FOUL", "% foul", "% foul", "% foul", 42, {Real, 3, 0, 42}, {Real, 3, 0, 42}, 30},
    {"  %", " ST", "% st", "% st", "% st", 43, {Real, 3, 0, 43}, {Real, 3, 0, 43}, 30},
    {"   %", "  BS", "% bs", "% bs", "% bs", 44, {Real, 5, 1, 44}, {Blank, 0, 0, 44}, 50},
    {"  MIN", "  /G", "min/g", "min/g", "min/g", 46, {Real, 5, 0, 46}, {Real, 5, 0, 46}, 50},
    {" FGM", " /G", "fgm/g", "fgm/g", "fgm/g", 47, {Real, 4, 1, 47}, {Real, 4, 1, 47}, 40},
    {" FGA", " /G", "fga/g", "fga/g", "fga/g", 48, {Real, 4, 1, 48}, {Real, 4, 1, 48}, 40},
    {"3PFGM", " /G", "3pt fgm/g", "3pt fgm/g", "3pt fgm/g", 49, {Real, 4, 1, 49}, {Real, 4, 1, 49}, 40},
    {"3PFGA", " /G", "3pt fga/g", "3pt fga/g", "3pt fga/g", 50, {Real, 4, 1, 50}, {Real, 4, 1, 50}, 40},
    {" FTM", " /G", "ftm/g", "ftm/g", "ftm/g", 51, {Real, 4, 1, 51}, {Real, 4, 1, 51}, 40},
    {" FTA", " /G", "fta/g", "fta/g", "fta/g", 52, {Real, 4, 1, 52}, {Real, 4, 1, 52}, 40},
    {"OREB", " /G", "off reb/g", "off reb/g", "off reb/g", 53, {Real, 4, 1, 53}, {Real, 4, 1, 53}, 40},
    {"DREB", " /G", "def reb/g", "def reb/g", "def reb/g", 54, {Real, 4, 1, 54}, {Real, 4, 1, 54}, 40},
    {"TREB", " /G", "tot reb/g", "tot reb/g", "tot reb/g", 55, {Real, 4, 1, 55}, {Real, 4, 1, 55}, 40},
    {" AST", " /G", "ast/g", "ast/g", "ast/g", 56, {Real, 4, 1, 56}, {Real, 4, 1, 56}, 40},
    {" PF", " /G", "pf/g", "pf/g", "pf/g", 57, {Real, 4, 1, 57}, {Real, 4, 1, 57}, 40},
    {" ST", " /G", "st/g", "st/g", "st/g", 58, {Real, 4, 1, 58}, {Real, 4, 1, 58}, 40},
    {" TO", " /G", "to/g", "to/g", "to/g", 59, {Real, 4, 1, 59}, {Real, 4, 1, 59}, 40},
    {" BS", " /G", "bs/g", "bs/g", "bs/g", 60, {Real, 4, 1, 60}, {Real, 4, 1, 60}, 40},
    {"  FGM", " /MIN", "fgm/min", "fgm/min", "fgm/min", 61, {Fraction, 5, 3, 61}, {Fraction, 5, 3, 61}, 50},
    {"  FGA", " /MIN", "fga/min", "fga/min", "fga/min", 62, {Fraction, 5, 3, 62}, {Fraction, 5, 3, 62}, 50},
    {"3PFGM", " /MIN", "3pt fgm/min", "3pt fgm/min", "3pt fgm/min", 63, {Fraction, 5, 3, 63}, {Fraction, 5, 3, 63}, 50},
    {"3PFGA", " /MIN", "3pt fga/min", "3pt fga/min", "3pt fga/min", 64, {Fraction, 5, 3, 64}, {Fraction, 5, 3, 64}, 50},
    {"  FTM", " /MIN", "ftm/min", "ftm/min", "ftm/min", 65, {Fraction, 5, 3, 65}, {Fraction, 5, 3, 65}, 50},
    {"  FTA", " /MIN", "fta/min", "fta/min", "fta/min", 66, {Fraction, 5, 3, 66}, {Fraction, 5, 3, 66}, 50},
    {" OREB", " /MIN", "off reb/min", "off reb/min", "off reb/min", 67, {Fraction, 5, 3, 67}, {Fraction, 5, 3, 67}, 50},
    {" DREB", " /MIN", "def reb/min", "def reb/min", "def reb/min", 68, {Fraction, 5, 3, 68}, {Fraction, 5, 3, 68}, 50},
    {" TREB", " /MIN", "tot reb/min", "tot reb/min", "tot reb/min", 69, {Fraction, 5, 3, 69}, {Fraction, 5, 3, 69}, 50},
    {"  AST", " /MIN", "ast/min", "ast/min", "ast/min", 70, {Fraction, 5, 3, 70}, {Fraction, 5, 3, 70}, 50},
    {"  PF", " /MIN", "pf/min", "pf/min", "pf/min", 71, {Fraction, 5, 3, 71}, {Fraction, 5, 3, 71}, 50},
    {"  ST", " /MIN", "st/min", "st/min", "st/min", 72, {Fraction, 5, 3, 72}, {Fraction, 5, 3, 72}, 50},
    {"  TO", " /MIN", "to/min", "to/min", "to/min", 73, {Fraction, 5, 3, 73}, {Fraction, 5, 3, 73}, 50},
    {"  BS", " /MIN", "bs/min", "bs/min", "bs/min", 74, {Fraction, 5, 3, 74}, {Fraction, 5, 3, 74}, 50},
    {"  PTS", " /MIN", "pts/min", "pts/min", "pts/min", 75, {Fraction, 5, 3, 75}, {Fraction, 5, 3, 75}, 50},
}};
// clang-format on
} // namespace

std::span<const ColumnInfo> playerColumnTable() {
    return kPlayerColumns;
}

} // namespace statdesk
