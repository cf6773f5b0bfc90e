#pragma once

namespace statdesk {

// Keeps freed memory in the process for reuse instead of handing it back to the system after
// every large free. Call once, first thing in main.
void keepFreedMemoryForReuse();

} // namespace statdesk
