#include "Showcase.h"

#include "BrandRecord.h"

namespace statdesk {

int nextShowcasePosition(int position) {
    return position >= kShowcasePresets - 1 ? 0 : position + 1;
}

void applyShowcasePreset(int position, BrandRecord& brand) {
    const ShowcasePreset& preset = showcasePreset(position);

    // The face, style, colour and size change; pitch and character set stay the copy's.
    brand.LinkFont.setFamily(QString::fromLatin1(preset.fontName));
    brand.LinkFont.setPointSize(preset.fontSize);
    brand.LinkFont.setBold(preset.bold);
    brand.LinkFont.setItalic(false);
    brand.LinkFont.setUnderline(preset.underline);
    brand.LinkFont.setStrikeOut(false);
    brand.FontColour = preset.fontColour;

    brand.Title = QString::fromLatin1(preset.title);
    brand.BandHeight = kShowcaseBandHeight;
    brand.BandColour = preset.bandColour;
    brand.ShowBand = true;
    brand.ShowLinkMenu = true;
    brand.ShowLinkMenu2 = false;

    // Entries above the new counts keep what they held; nothing reads them.
    brand.MenuLinks.Count = static_cast<int>(preset.menuLinks.size());
    for (size_t i = 0; i < preset.menuLinks.size(); ++i) {
        brand.MenuLinks.Caption[i + 1] = QString::fromLatin1(preset.menuLinks[i].caption);
        brand.MenuLinks.Address[i + 1] = QString::fromLatin1(preset.menuLinks[i].address);
    }
    brand.MenuLinks2.Count = 0;
    brand.PanelLinks.Count = static_cast<int>(preset.panelLinks.size());
    for (size_t i = 0; i < preset.panelLinks.size(); ++i) {
        const ShowcasePanelLink& link = preset.panelLinks[i];
        brand.PanelLinks.Caption[i + 1] = QString::fromLatin1(link.caption);
        brand.PanelLinks.Address[i + 1] = QString::fromLatin1(link.address);
        brand.PanelLinks.Left[i + 1] = QString::fromLatin1(link.left);
        brand.PanelLinks.Top[i + 1] = QString::fromLatin1(link.top);
    }
}

} // namespace statdesk
