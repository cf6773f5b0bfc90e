#include "StartupState.h"

namespace statdesk {

ProxySettings& proxySettings() {
    static ProxySettings settings;
    return settings;
}

bool& updateRequired() {
    static bool required = false;
    return required;
}

} // namespace statdesk
