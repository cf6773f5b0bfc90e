#include "TutorialText.h"

namespace statdesk {

namespace {

// Menu commands are written as quoted captions joined by " > ", a top-level menu alone as
// "Caption" menu, so readers (and the tests) can find each one in the menu bar.

constexpr char kPromotion[] = R"text(INCREASE TRAFFIC TO YOUR WEBSITE:

Would you like these basketball databases to carry the name of your web site? We make customized
copies of Statdesk for web sites. A customized copy shows your site's title in its title bar,
your logo and colours in the band across the top of the main window, link labels of your choice
on that band, up to two menus of your own links, and your web address under every statistics
table. The banners in the table windows can advertise your site as well.

Offer the customized copy for download on your site. Every visitor who keeps it has your name,
your logo and your links in front of them each time they look up a statistic, and every click on
one of your links brings them back to your site. The statistics stay on our service and are kept
up to date there, so your copy never needs a data update.

To ask for a customized copy, write to us: the e-mail link is in the box the "About" menu shows.

A NOTE ON MEMORY:

Each table window keeps the rows it has fetched in memory, with room set aside for up to 30,000
player rows or 15,000 team rows, so that it can redraw without asking the service again. With all
four databases open the program takes noticeably more memory than with one. Close the windows you
no longer need (Ctrl+F4 closes the active window); a closed window gives its memory back at once.
Its selections, limits, sort order and hidden columns are forgotten when it closes.
)text";

constexpr char kQuickHeading[] =
    "QUICK INSTRUCTIONS/TUTORIAL FOR USING THE ONLINE INTERACTIVE HISTORICAL SPORTS STATISTICS DATABASES FOR "
    "BASEBALL, ";

constexpr char kTutorial[] = R"text(BASKETBALL AND HOCKEY:

This program holds the basketball databases: every player and every team of the NBA, the ABA and
the BAA, regular season and playoffs, from the 1946-47 season on. You need to be online to use
them. The statistics stay on the statistics service, which does all the selecting, sorting and
arithmetic; the program fetches only the rows you can see.

Open a database from the "Basketball Statistics" menu:
   "Basketball Statistics" > "Players - Regular Season"
   "Basketball Statistics" > "Players - Playoffs"
   "Basketball Statistics" > "Teams - Regular Season"
   "Basketball Statistics" > "Teams - Playoffs"
Each database opens in its own window, and each can be open once at a time. "Total Lines:" under
the table tells how many rows the current selection holds. The last line of the table, TOTALS,
adds up every row of the selection, not only the rows on screen. Seasons are written as four
digits: 7475 is the 1974-75 season, 9900 the 1999-2000 season and 0506 the 2005-06 season. A
statistic that was not recorded in a season shows as ---.

Directions/Hints:

Try these examples with "Basketball Statistics" > "Players - Regular Season" open. Player rows
start sorted by player name and then by season; the window shows Total Lines: 26345.

1. SORTING - the best scoring seasons of all time.
   Choose the "Sort" menu. The sort window has four fields, "1st Field" to "4th Field", each with
   a choice of "Ascending" or "Descending". In "1st Field" choose "PTS     - points scored",
   click "Descending" beside it and click "Ok". The table now starts:
      Wilt Chamberlain   6162   Philadelphia Warriors    4029 points, 50.4 a game
      Wilt Chamberlain   6263   San Francisco Warriors   3586 points
      Michael Jordan     8687   Chicago Bulls            3041 points
   The other fields break ties and build lists within lists: "year" ascending in "1st Field"
   and "PTS     - points scored" descending in "2nd Field" shows every season from 4647 on,
   each with its best scorers first.
   The sort window remembers its fields for each database. With "Keep last sort setting" the
   fields you chose come back the next time you sort that database; with
   "Erase last sort setting" they start again at NONE. Either way the sort you chose is applied.

2. SELECTING - one player's career.
   Choose "Select" > "Player". The list on the left holds every player of the current selection
   ("Listed = " tells how many). Scroll to Michael Jordan and click the name; a second click takes
   it back, and the list on the right shows what you have chosen. Click "OK". The window now shows
   his 15 seasons: 8485 to 9798 with the Chicago Bulls and 0102 and 0203 with the Washington
   Wizards. The TOTALS line adds them up: 1072 games, 32292 points, 30.1 points a game.
   Choosing players puts the rows back in their first order, by name and then by season.
   The TOTALS line makes career totals easy: select Kareem Abdul-Jabbar instead and it shows his
   20 seasons adding up to 38387 points.

3. SELECTING MORE THAN ONCE - selections add up.
   With Michael Jordan still selected, choose "Select" > "Team". The list now offers only the
   Chicago Bulls and the Washington Wizards, the teams still possible under the selection. Choose
   "Washington Wizards" and click "OK": two seasons are left. Choose the "Reset" menu to clear
   every selection, limit and sort and to see the whole database again.
   Values chosen together in one list are alternatives. After "Reset", "Select" > "Team" with
   both the Boston Celtics and the Los Angeles Lakers chosen keeps the rows of either team; then
   "Select" > "Year" with 8384 to 8687 chosen keeps those rows only in those four seasons.

4. TEAMS AND YEARS - the 1995-96 Chicago Bulls.
   After "Reset", choose "Select" > "Team" and pick Chicago Bulls, then "Select" > "Year" and
   pick 9596. Sort by "PTS     - points scored", "Descending":
      Michael Jordan   2491 points, 30.4 a game
      Scottie Pippen   1496 points
      Toni Kukoc       1065 points
      Steve Kerr        688 points
   "Select" > "League" works the same way with NBA, ABA and BAA.

5. LIMITING - keep rows between a minimum and a maximum.
   After "Reset", choose the "Limit" menu. Pick "3PT FGM" in the list, type 300 as "Minimum Value"
   and leave 9999 as "Maximum Value", and click "OK". Four seasons are left: James Harden's 378
   three-pointers in 1819 and Stephen Curry's 402 in 1516, 324 in 1617 and 354 in 1819.
   Limits add up like selections, and "Reset" clears them. Limit "year" from 8081 to 8990 to keep
   the seasons of the 1980s. Percentages are typed as they are shown (50 for 50.0), and a row
   whose value is --- never passes a limit: a limit on "ST      - steals" leaves out every
   season before steals were recorded.
   One more: limit "TOT REB - total rebounds" to 2000 and up, and only two seasons are left, both
   Wilt Chamberlain's: 2149 rebounds in 6061 and 2052 in 6162.

6. TEAMS - the best records of all time.
   Open "Basketball Statistics" > "Teams - Regular Season". Team rows start sorted by season and
   then by team name. Sort by "W-L%        - won/lost percentage", "Descending":
      1516   Golden State Warriors   73-9    .890
      9596   Chicago Bulls           72-10   .878
      7172   Los Angeles Lakers      69-13   .841
      9697   Chicago Bulls           69-13   .841
   The won/lost percentage is a fraction, so limit it with fractions: the "Limit" menu with
   "W-L%    - won/lost percentage" from .800 to 1 keeps the 20 seasons of .800 or better.
   In "Basketball Statistics" > "Teams - Playoffs", "Select" > "Year" with 9596 shows the same
   Bulls going 15-3 through the playoffs.

7. PLAYOFFS - the same commands work in every database.
   Open "Basketball Statistics" > "Players - Playoffs" and sort by "PTS     - points scored",
   "Descending": Michael Jordan's 759 points in 9192 lead, ahead of Hakeem Olajuwon's 725 in 9495
   and Allen Iverson's 723 in 0001. Each window keeps its own selections, limits and sort, so
   the regular season window stays as you left it.

8. LEAGUES - the ABA's best scorers.
   In the players regular season window choose "Reset", then "Select" > "League" and pick ABA.
   Sort by "AVG     - average points per game", "Descending": Charlie Scott's 34.6 points a game
   for the Virginia Squires in 7172 leads, ahead of Rick Barry's 34.0 in 6869 and Julius
   Erving's 31.9 in 7273.

DATABASE TIDBITS AND HINTS:

COLORS: rows are drawn in two colours that take turns each time a key column changes, so that
all rows of one player (or team, or year) share a colour. Choose "Options" > "Color options".
Under "Alternate by:" a players window offers Player, Team and Year, a teams window Team, Year,
Division and League. "Color set 1" and "Color set 2" each offer sixteen colours; blue and red are
chosen at start. The choice holds for every table window until the program ends; opening a new
players window sets "Alternate by:" back to Player.

ARRANGING WINDOWS: "Window" > "Tile" puts the open windows one above the other, each as wide as
the main window; "Window" > "Cascade" stacks them, each a little lower and to the right of the
one before; "Window" > "Arrange All" lines up the icons of minimized windows along the bottom.
The "Window" menu also lists every open window; click one to bring it to the front.

NAVIGATING: Ctrl+F6 or Ctrl+Tab moves to the next window and Ctrl+F4 closes the active one. Use
the scroll bars, the arrow keys, Page Up and Page Down to move through a table. Each time the
top row changes, the window fetches the rows it now shows; the hourglass and the small animation
under the table show while it waits, and a window cannot be closed while its request is under
way. Scrolling sideways fetches nothing, and the first columns (player name, year and team code;
year and team code for teams) stay in place.

HIDING COLUMNS: double-click a column to hide it. The column keeps its place and its data, and it
still counts for sorting, limits and printing. To bring columns back choose
"Options" > "Unhide Columns": the "Unhide Columns" window lists the hidden columns; select one or
more and click "Ok", or click "Unhide all". Player name, year and team code in players windows,
and year, team code and team name in teams windows, cannot be hidden.

SIZING COLUMNS: drag the line between two column headings to make a column wider or narrower. A
column you hide and unhide again comes back with the width it had.

FINDING PLAYERS: names are spelled without accents (Nikola Jokic), and first names too long
for the column are cut to initials (G. Antetokounmpo). A player traded during a season has one
row for each team he played for: Moses Malone has a 7677 row with Buffalo and another with
Houston. Select the player and the year to see both rows, with their sum on the TOTALS line.

TEAM MINUTES: the MIN column of the teams databases counts the minutes of all the team's players,
five times the minutes of its games.

YOUR WEB SITE: under every table, "Click here to get on the web at:" is followed by the web
address of the site your copy comes from; click it to open that site in your browser.

SORTING HINTS: the sort window offers every column of the database. "NONE" leaves a field unused;
rows that tie on every field you chose keep the database's first order (players by name and
season, teams by season and team name). A statistic shown as --- sorts last, whichever direction
you choose.

DATA SOURCES: "Options" > "Data sources" lists where the statistics come from and the seasons
each source covers. Player regular seasons run from 1946-47 to 2019-20 (2019-20 as it stood when
play stopped in March 2020), team regular seasons to 2024-25, player playoffs to 2004-05 and team
playoffs to 2023-24. Team playoff totals of 2005-06 to 2009-10, and the opponents' playoff
totals of 1996-97 to 2004-05, are missing and show ---.

STATISTICS DEFINITIONS: "Options" > "Statistics Definitions" > "Players statistical definitions"
and "Options" > "Statistics Definitions" > "Teams statistical definitions" explain every column,
with the formulas of the percentages and ratings. Each opens once at a time; its menu entry works
again when you close it.

THE TOP MENU: the "Basketball Statistics" menu opens the four databases. The "Select" menu, the
"Sort" menu, the "Limit" menu and the "Reset" menu act on the active table window. The
"Instructions" menu opens this text (several copies may be open). The "Options" menu holds the
colours, unhiding, printing, the data sources and the definitions, and
"Options" > "Change proxy settings" for networks that reach the Internet through a proxy. The
"About" menu shows the version and how to reach us, the "Window" menu arranges the windows, and
the "Exit" menu closes every window and ends the program.

PRINTING:

Printing puts on paper the rows the active table window shows on screen, with the two heading
lines and the TOTALS line. Scroll to the rows you want first. To print more rows at once, make
the window taller and then scroll, so that it fetches a full page of the new size.

CHOOSING COLUMNS: choose "Options" > "Print". The "Print Options" window lists the
"Available Columns:" on the left and the "Columns to print" on the right. ">" moves the chosen
column to the right, ">>" moves them all, "<" sends one back and "<<" sends them all back. The
columns print from left to right in the order of the right-hand list.

COLUMN WIDTHS: the number beside each available column is its print width in characters. Type a
new width there before you move the column to the right.

PRINTER SET-UP: "Printer Setup" chooses the printer, the paper and the orientation; landscape
paper takes more columns.

PRINT PREVIEW: "Print Preview" shows the report on screen first. Close the preview to return to
"Print Options" with everything as you left it.

PRINTING: "OK to Print" prints the report.

FITTING TO THE PAGE: with "Fit to page" the characters are sized so that the whole line fits the
paper, and "Minimum characters per line" (80 at start) keeps them from growing too large when
only a few columns are chosen. With "Don't fit to page" the characters keep the size of a line of
"Maximum characters per line" characters, and a choice of columns wider than that is refused
until you de-select some columns or choose "Fit to page".

SAVING AND LOADING PRINT SETTINGS: settings are reset at every print, but "SAVE Print Settings"
keeps them in a print definition file: the fit choice, both line lengths, every width and both
column lists. Players files end in .BKP and teams files in .BKT. "LOAD Print Settings" brings a
saved file back. Keep one file for each report you print often.

AN EXAMPLE: print the best team records of all time. Open
"Basketball Statistics" > "Teams - Regular Season" and sort by
"W-L%        - won/lost percentage", "Descending", as in example 6. Choose "Options" > "Print".
In "Available Columns:" pick year, team name, "WON     - wins", "LOST    - losses" and
"W-L%    - won/lost percentage" one by one with ">". Click "Print Preview" to see the page, close
the preview, and click "OK to Print". Click "SAVE Print Settings" first if you want the same
five columns next time.

WHEN PRINTING IS REFUSED: "You haven't selected any columns to print" means the
"Columns to print" list is empty. "You have selected more than columns that can fit on a page."
means the columns need more characters than "Maximum characters per line" allows with
"Don't fit to page": de-select some columns, raise the maximum, or choose "Fit to page".

WHAT PRINTS: every character is printed in a typewriter style. Letters, digits, the comma, the
hyphen, the period, the apostrophe and the double quote print; other characters such as % and /
leave a blank, so the heading FG% prints as FG followed by a blank.
)text";

QStringList linesOf(const char* text) {
    QStringList lines = QString::fromLatin1(text).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

QString tutorialCaption() {
    return QStringLiteral("Database Instructions/Tutorial");
}

QStringList tutorialText() {
    QStringList lines = linesOf(kPromotion);
    lines << QString() << QString::fromLatin1(kQuickHeading);
    lines << linesOf(kTutorial);
    return lines;
}

} // namespace statdesk
