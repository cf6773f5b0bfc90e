#pragma once

#include <QString>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QObject;

namespace statdesk {

struct BrandRecord;
struct MenuLinkList;
class THttpCli;

// A link menu shows entries 2 to 50 of its list; entry 1 is the menu's own caption.
inline constexpr int kLinkMenuItems = 49;
inline constexpr int kPanelLinkLabels = 50;

// A link menu of the main window: the top-level entry and its 49 items, item j showing entry j + 2.
struct LinkMenu {
    QMenu* menu = nullptr;
    std::array<QAction*, kLinkMenuItems> items{};
};

using PanelLinkLabels = std::array<QLabel*, kPanelLinkLabels>;

// The menu named menuName under owner and its items "Item" + (base + k) + "1", k from 2 to 50.
LinkMenu findLinkMenu(const QObject& owner, const char* menuName, int base);

// Shows the menu with the caption of entry 1 and items for entries 2 to 50 (no more than the count);
// a caption "-" makes its item a separator. A list without entries leaves the menu as it is.
void buildLinkMenu(const LinkMenu& menu, const MenuLinkList& links);
// The first menu when ShowLinkMenu is on, the second when ShowLinkMenu2 is on.
void buildLinkMenus(const LinkMenu& first, const LinkMenu& second, const BrandRecord& brand);
void hideLinkMenu(const LinkMenu& menu);

// Labels 1 to min(50, count) of PanelLinks, at the whole numbers their texts give, each with its
// own copy of the LinkFont and its colour. Callers check ShowBand.
void placePanelLinks(const PanelLinkLabels& labels, const BrandRecord& brand);
void hidePanelLinks(const PanelLinkLabels& labels);

// Hands a non-empty address to the opener, then sends the event line through the usage-event
// client; a failed send is thrown. Without that client there is nothing to send through.
void openAndReport(const QString& address, const QString& eventLine, THttpCli* events);

} // namespace statdesk
