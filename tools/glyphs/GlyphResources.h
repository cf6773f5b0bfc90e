#pragma once

#include <QtGlobal>

// Registers the print glyphs (":/glyphs/R-UA" and so on) from the static library statdesk_glyphs.
// Call once, before the first glyph is loaded. Q_INIT_RESOURCE must be used outside any namespace.
inline void initGlyphResources() {
    Q_INIT_RESOURCE(statdesk_glyphs);
}
