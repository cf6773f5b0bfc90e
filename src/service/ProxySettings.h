#pragma once

#include <QString>

namespace statdesk {

class THttpCli;

// The HTTP proxy the user configured; off until loaded.
struct ProxySettings {
    bool enabled = false;
    QString address;
    QString port;
    QString userName;
    QString password;
};

// Copies address, port, user name and password into the client's proxy fields.
void applyProxy(THttpCli& client, const ProxySettings& proxy);

} // namespace statdesk
