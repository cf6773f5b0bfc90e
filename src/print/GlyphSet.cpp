#include "GlyphSet.h"

#include "GlyphResources.h"

namespace statdesk {

QString GlyphSet::resourceName(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 'A' && u <= 'Z')
        return QStringLiteral("R-U") + c;
    if (u >= 'a' && u <= 'z')
        return QStringLiteral("R-L") + c.toUpper();
    if (u >= '0' && u <= '9')
        return QStringLiteral("R-") + c;
    switch (u) {
    case ',':
        return QStringLiteral("R-COMMA");
    case '-':
        return QStringLiteral("R-DASH");
    case '"':
        return QStringLiteral("R-DOUBLEQUOTE");
    case '.':
        return QStringLiteral("R-PERIOD");
    case '\'':
        return QStringLiteral("R-SINGLEQUOTE");
    default:
        return {};
    }
}

GlyphSet::GlyphSet() {
    initGlyphResources();
    for (char16_t u = 0; u < m_images.size(); ++u) {
        const QString name = resourceName(QChar(u));
        if (name.isEmpty())
            continue;
        m_images[u] = QImage(QStringLiteral(":/glyphs/") + name);
        if (m_images[u].isNull())
            m_complete = false;
    }
}

const QImage* GlyphSet::glyph(QChar c) const {
    const char16_t u = c.unicode();
    if (u >= m_images.size() || m_images[u].isNull())
        return nullptr;
    return &m_images[u];
}

} // namespace statdesk
