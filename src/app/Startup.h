#pragma once

namespace statdesk {

// The whole life of the program: brand record, main window, shared dialogs, event loop.
// Returns the process exit code (1 after a fatal start-up error).
int runStatdesk(int argc, char** argv);

} // namespace statdesk
