#pragma once

#include "LoadRun.h"

// Clients sending usage events (HTTP/1.0 GET, one connection each) until the count or the time is
// reached; an event counts as an error unless it is answered "OK".
LoadResult runEventLoad(int port, int clients, int eventsPerClient, double maxSeconds);
