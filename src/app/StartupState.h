#pragma once

#include "ProxySettings.h"

// Process-wide state set up at start-up.
namespace statdesk {

ProxySettings& proxySettings();

// Set by the version check when this copy is out of date.
bool& updateRequired();

} // namespace statdesk
