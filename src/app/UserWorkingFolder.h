#pragma once

#include <QString>

namespace statdesk {

// Where an installed copy runs: its program folder and the folder of its read-only data.
struct InstalledLayout {
    QString programDir;
    QString dataDir;
};

// The layout the build installs to.
InstalledLayout installedLayout();

// A copy started from the installed program folder keeps its working files in a folder of the
// user's own, never beside the program: moves into <userDataHome>/statdesk (created when missing) and
// links there every reference document of the data folder the user has no file of that name for.
// Any other copy works in its current folder as before. Returns the folder it moved into, or an empty
// text when it stayed. Throws StartupError when the folder cannot be made or entered.
QString enterUserWorkingFolder(const QString& programDir, const InstalledLayout& layout,
                               const QString& userDataHome);

} // namespace statdesk
