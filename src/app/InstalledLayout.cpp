#include "UserWorkingFolder.h"

namespace statdesk {

// The build names the installed folders (see src/app/CMakeLists.txt).
InstalledLayout installedLayout() {
    return {QStringLiteral(STATDESK_INSTALLED_PROGRAM_DIR), QStringLiteral(STATDESK_INSTALLED_DATA_DIR)};
}

} // namespace statdesk
