#include "BrandLinks.h"

#include "BrandRecord.h"
#include "NumberText.h"
#include "Seams.h"
#include "UsageEvent.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

#include <algorithm>

namespace statdesk {
namespace {

constexpr int kLastMenuEntry = 50;

} // namespace

LinkMenu findLinkMenu(const QObject& owner, const char* menuName, int base) {
    LinkMenu found;
    found.menu = owner.findChild<QMenu*>(QString::fromLatin1(menuName));
    for (int k = 2; k <= kLastMenuEntry; ++k)
        found.items[static_cast<size_t>(k - 2)] =
            owner.findChild<QAction*>(QStringLiteral("Item%1").arg(base + k) + QLatin1Char('1'));
    return found;
}

void buildLinkMenu(const LinkMenu& menu, const MenuLinkList& links) {
    if (links.Count < 1)
        return;
    menu.menu->setTitle(links.Caption[1]);
    menu.menu->menuAction()->setVisible(true);
    const int last = std::min(links.Count, kLastMenuEntry);
    for (int k = 2; k <= last; ++k) {
        QAction* item = menu.items[static_cast<size_t>(k - 2)];
        const QString& caption = links.Caption[static_cast<size_t>(k)];
        item->setSeparator(caption == QLatin1String("-"));
        item->setText(caption);
        item->setVisible(true);
    }
}

void buildLinkMenus(const LinkMenu& first, const LinkMenu& second, const BrandRecord& brand) {
    if (brand.ShowLinkMenu)
        buildLinkMenu(first, brand.MenuLinks);
    if (brand.ShowLinkMenu2)
        buildLinkMenu(second, brand.MenuLinks2);
}

void hideLinkMenu(const LinkMenu& menu) {
    menu.menu->menuAction()->setVisible(false);
    for (QAction* item : menu.items)
        item->setVisible(false);
}

void placePanelLinks(const PanelLinkLabels& labels, const BrandRecord& brand) {
    const PanelLinkList& links = brand.PanelLinks;
    const int last = std::min(links.Count, kPanelLinkLabels);
    for (int i = 1; i <= last; ++i) {
        const auto entry = static_cast<size_t>(i);
        QLabel* label = labels[entry - 1];
        label->setText(links.Caption[entry]);
        label->move(readWholeInt(links.Left[entry].toLatin1().toStdString()),
                    readWholeInt(links.Top[entry].toLatin1().toStdString()));
        label->setFont(brand.LinkFont);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colourFromReference(brand.FontColour));
        label->setPalette(palette);
        label->adjustSize();
        label->show();
    }
}

void hidePanelLinks(const PanelLinkLabels& labels) {
    for (QLabel* label : labels)
        label->hide();
}

void openAndReport(const QString& address, const QString& eventLine, THttpCli* events) {
    if (!address.isEmpty())
        seams::opener().open(address);
    if (events)
        postline(*events, eventLine);
}

} // namespace statdesk
