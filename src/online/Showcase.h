#pragma once

#include <QtGlobal>

#include <span>

namespace statdesk {

struct BrandRecord;

// Showcase mode rotates built-in sample brands through the main window: preset 0 shows a
// prospective partner where its own content would go, presets 1 to 4 are sample partner brands.
inline constexpr int kShowcasePresets = 5;
inline constexpr int kShowcaseBandHeight = 60;

struct ShowcaseLink {
    const char* caption;
    const char* address;
};

struct ShowcasePanelLink {
    const char* caption;
    const char* address;
    const char* left;
    const char* top;
};

struct ShowcasePreset {
    int logo; // 0: the copy's own "logo.bmp"; k: the sample logo ImageAltk
    const char* title;
    const char* fontName;
    int fontSize;
    bool bold;
    bool underline;
    quint32 fontColour; // colour reference
    quint32 bandColour; // colour reference
    std::span<const ShowcaseLink> menuLinks;
    std::span<const ShowcasePanelLink> panelLinks;
};

// The preset at position 0 to 4.
const ShowcasePreset& showcasePreset(int position);

// 0 becomes 1, ..., 4 becomes 0.
int nextShowcasePosition(int position);

// Overwrites the brand fields a preset sets: the LinkFont's face, style, colour and size, Title,
// BandHeight, BandColour, ShowBand and ShowLinkMenu on, ShowLinkMenu2 off, MenuLinks, MenuLinks2
// (emptied) and PanelLinks. Every other field, BrandHome among them, keeps the copy's value.
void applyShowcasePreset(int position, BrandRecord& brand);

} // namespace statdesk
