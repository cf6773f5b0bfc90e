#pragma once

#include <QString>

namespace statdesk {

// The proxy the user configured; empty and off until loaded at start-up.
struct ProxySettings {
    bool enabled = false;
    QString address;
    QString port;
    QString userName;
    QString password;
};

ProxySettings& proxySettings();

// Set by the version check when this copy is out of date.
bool& updateRequired();

} // namespace statdesk
