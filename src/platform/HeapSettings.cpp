#include "HeapSettings.h"

#include <cstdlib> // defines __GLIBC__ on that library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace statdesk {

void keepFreedMemoryForReuse() {
#if defined(__GLIBC__)
    // Every page exchange allocates and frees a few copies of its reply (40 KB for a screen of
    // rows). With the allocator's defaults the freed top of the heap went back to the system after
    // each exchange: the unmapping flushes the address translations of every core, dear on a
    // virtual machine, and the next exchange faulted the pages in again, which doubled the time of
    // an exchange on loopback. Setting the trim threshold turns off the allocator's own moving of
    // the mapping threshold, so that one is set too: replies up to 1 MiB come from the heap.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 8 * 1024 * 1024);
#endif
}

} // namespace statdesk
