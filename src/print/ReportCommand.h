#pragma once

namespace statdesk {

class TDualListDlg;
class TForm15;
struct TablePage;

// The "&Print" and "Print Pre&view" commands on a table window: the print options dialog in a loop
// with previews, until the user prints the window's current page or cancels. Printing failures of
// the platform are thrown with their reason.
void runReport(const TablePage& page, TDualListDlg& options, TForm15& preview);

} // namespace statdesk
