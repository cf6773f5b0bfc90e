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
    // the mapping threshold, so that one is set too. The largest replies, pages of a thousand rows
    // for an export or a copy, are read into buffers of just under 1 MiB, which with the
    // allocator's own header crossed a 1 MiB threshold: each of them was mapped and faulted in
    // anew, and an export spent more time on that than on writing its file. Up to 2 MiB now comes
    // from the heap.
    mallopt(M_MMAP_THRESHOLD, 2 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 8 * 1024 * 1024);
#endif
}

} // namespace statdesk
