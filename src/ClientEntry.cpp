#include "ClientEntry.h"

#include "Startup.h"

int statdeskMain(int argc, char** argv) {
    return statdesk::runStatdesk(argc, argv);
}
