#pragma once

#include <QString>

#include <array>

namespace statdesk {

// Link labels on the top band. Left and top stay text; they are read as whole numbers where placed.
// 1-based; index 0 unused.
struct PanelLinkList {
    int Count = 0;
    std::array<QString, 256> Caption;
    std::array<QString, 256> Address;
    std::array<QString, 256> Left;
    std::array<QString, 256> Top;
};

} // namespace statdesk
