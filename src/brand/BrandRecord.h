#pragma once

#include "MenuLinkList.h"
#include "PanelLinkList.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace statdesk {

// How the record's pitch byte is taken: 2 fixed, 3 variable, anything else the font's default.
enum class FontPitch { Default, Fixed, Variable };

// The brand configuration of this copy. Strings hold the record's bytes one to one as Latin-1 characters,
// so they go back to the same bytes. The logo is not kept here: it lives in "logo.bmp".
struct BrandRecord {
    bool ShowLogo = false;
    bool ShowLinkMenu = false;
    bool ShowBand = false;
    bool ShowNews = false;
    bool ShowPartnerImages = false;
    bool ShowLinkMenu2 = false;
    bool UseProxyFile = false;
    bool FetchAdSettings = false;
    bool ShowcaseMode = false;

    QString VersionText;
    QString Title;
    QString BrandHome;
    QString UpdateAddress;
    QString BannerAddress;
    QString BannerClickAddress;

    int TableBanners = 0;
    int BandHeight = 0;
    int BannerCount = 0;
    quint32 BandColour = 0;

    // QFont carries face, size, style and pitch; the character set and colour have no place in it.
    QFont LinkFont;
    int FontCharset = 0;
    quint32 FontColour = 0;
    FontPitch LinkFontPitch = FontPitch::Default;

    MenuLinkList MenuLinks;
    PanelLinkList PanelLinks;
    MenuLinkList MenuLinks2;
};

// The one record of this process, read by every part and rewritten by the banner refresh and showcase.
BrandRecord& brandRecord();

// The link font as the record's fields give it. A size of 0 keeps the default size; Default pitch
// leaves the pitch unset. Bold sets the style to bold or plain; each later flag that is on adds its style.
QFont buildLinkFont(const QString& name, int size, FontPitch pitch, bool bold, bool italic, bool underline,
                    bool strikeOut);

// A 32-bit colour reference: bits 0-7 red, 8-15 green, 16-23 blue.
QColor colourFromReference(quint32 reference);
quint32 referenceFromColour(const QColor& colour);

} // namespace statdesk
