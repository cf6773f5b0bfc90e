#include "ClientEntry.h"

#include "HeapSettings.h"
#include "Startup.h"

int statdeskMain(int argc, char** argv) {
    statdesk::keepFreedMemoryForReuse();
    return statdesk::runStatdesk(argc, argv);
}
