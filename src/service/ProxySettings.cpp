#include "ProxySettings.h"

#include "THttpCli.h"

namespace statdesk {

void applyProxy(THttpCli& client, const ProxySettings& proxy) {
    client.setProxy(proxy.address);
    client.setProxyPort(proxy.port);
    client.setProxyUsername(proxy.userName);
    client.setProxyPassword(proxy.password);
}

} // namespace statdesk
