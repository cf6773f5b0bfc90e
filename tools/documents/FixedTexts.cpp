#include "FixedTexts.h"

#include "DocumentFile.h"

#include <sstream>
#include <string_view>

namespace statdesk::shipped {
namespace {

constexpr std::string_view kInstructions =
    R"(This program shows the all-time professional basketball statistics database
(NBA, ABA and BAA, every season from 1946-47 on). You need to be online: the
tables are read a screen at a time from the statistics service.

OPENING A TABLE
  Choose "Basketball Statistics" and one of the four tables:
    "Players - Regular Season"   one row per player, team and season
    "Players - Playoffs"         the same for the playoffs
    "Teams - Regular Season"     one row per team and season
    "Teams - Playoffs"           the same for the playoffs
  Each table opens in its own window; each can be open once. Scroll down and
  the next rows are fetched. The last row holds the totals of what you see.
  "Window" tiles, cascades or arranges the open windows.

SELECTING ROWS
  "Select" > "Player", "Team", "Year" or "League" lists the values still
  possible in the active window. Click the values you want (a click takes one
  back again) and press OK: the table keeps only those rows. Each selection
  adds to the earlier ones, so choose a team first and then a year to see
  that team's season. "Player" works in the player tables only.
  Years read 7475 for the 1974-75 season.

SORTING
  "Sort" orders the rows by up to four columns, each ascending or
  descending. Choosing players sets the sort back to the standard order.

LIMITING
  "Limit" keeps only the rows whose value in one column lies between a
  minimum and a maximum, for example players with at least 70 games.
  Limits add up until you reset.

RESET
  "Reset" removes every selection and limit and the sort of the active
  window and shows the whole table again.

HIDING AND SHOWING COLUMNS
  Double-click a column to hide it. "Options" > "Unhide Columns" lists the
  hidden columns: choose some and press Ok, or press "Unhide all". Drag the
  border between two column headings to make a column wider or narrower.

COLOURS
  "Options" > "Color options" chooses which column decides the colour of a
  row (player, team, year, division or league) and the two colours that
  take turns: all rows of one player, for example, share a colour.

PRINTING AND PREVIEW
  "Options" > "Print" prints the rows the active window shows. In the
  "Print Options" box move the columns you want from "Available Columns" to
  "Columns to print" with the arrow buttons, choose "Fit to page" or a number
  of characters per line, then press "Print Preview" to see the page on the
  screen or "OK to Print" to print it. "Printer Setup" chooses the printer,
  paper and orientation. "SAVE Print Settings" and "LOAD Print Settings"
  keep your choice of columns in a file (.BKP for players, .BKT for teams).

MORE HELP
  "Instructions" (the top menu entry) opens the full tutorial.
  "Options" > "Statistics Definitions" explains every column and
  "Options" > "Data sources" tells where the numbers come from.
  Statistics a season did not record show as "---".)";

constexpr std::string_view kOrderForm =
    R"(Would you like this statistics program to carry your own name, logo and links?
We make a branded copy for your web site: your visitors download it from you,
and every copy they run shows your brand at the top of the window.

Fill in this form and send it, with your logo, to orders@example.com.
Replace each line of dots with your answer.

1. CONTACT
   Organisation ..........................................................
   Contact person ........................................................
   E-mail ................................................................
   Telephone .............................................................

2. TITLE
   The title of the main window (up to 255 characters), for example
   "Example Sports - All-Time Basketball Statistics"
   .......................................................................

3. LOGO
   A Windows bitmap (.bmp) file, 24-bit colour, about 200 x 56 pixels.
   It is shown at the left of the band at the top of the window.
   File name of the logo you send .........................................

4. HOME PAGE
   The address opened when a user clicks your name in a table window,
   for example http://www.example.com/
   .......................................................................

5. LINKS
   Up to 49 links for a menu of your own in the menu bar, and links shown
   as labels on the band. For each: the caption and the address.
   Menu caption (for example "&Links") ...................................
   Caption ............................  Address ..........................
   Caption ............................  Address ..........................
   Caption ............................  Address ..........................
   (add lines as needed; a caption "-" makes a separator line)

6. COLOURS AND FONT
   Colour of the band (name or #rrggbb) ..................................
   Font of the link labels: name ..................  size ...............
   Colour of the link labels ..............  bold / italic / underline ...

7. OPTIONS (mark yes or no)
   Show the band at the top ........................................ yes / no
   Show your logo .................................................. yes / no
   Show the news headlines ......................................... yes / no
   Show your link menu ............................................. yes / no
   Show advertising banners in the table windows ................... yes / no
   Banner picture address (when yes) .....................................
   Banner click address (when yes) .......................................
   Address users download new versions from ..............................
   Users reach the Internet through a proxy server ................. yes / no

8. DELIVERY
   We send you the branded program file for your download page and the
   brand description it was made from, so that later changes are quick.

Send this form to:  orders@example.com
Questions:          support@example.com
Web:                http://www.example.com/statdesk/)";

void writeText(const std::string& title, std::string_view body, const std::filesystem::path& file) {
    DocumentFile doc(title);
    std::istringstream lines{std::string(body)};
    for (std::string line; std::getline(lines, line);)
        doc.add(line);
    doc.save(file);
}

} // namespace

void writeFixedTexts(const std::filesystem::path& out) {
    writeText("STATDESK QUICK INSTRUCTIONS", kInstructions, out / "INSTRUCT.TXT");
    writeText("STATDESK ORDER FORM FOR A BRANDED COPY", kOrderForm, out / "ORDERFRM.DOC");
}

} // namespace statdesk::shipped
