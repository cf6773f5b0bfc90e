#pragma once

#include <QString>

#include <array>

namespace statdesk {

// A link menu as stored: entry 1 is the menu's caption, the rest its items. 1-based; index 0 unused.
struct MenuLinkList {
    int Count = 0;
    std::array<QString, 256> Caption;
    std::array<QString, 256> Address;
};

} // namespace statdesk
