#include "BrandRecord.h"

namespace statdesk {

BrandRecord& brandRecord() {
    static BrandRecord record;
    return record;
}

QFont buildLinkFont(const QString& name, int size, FontPitch pitch, bool bold, bool italic, bool underline,
                    bool strikeOut) {
    QFont font;
    font.setFamily(name);
    if (size > 0)
        font.setPointSize(size);
    if (pitch != FontPitch::Default)
        font.setFixedPitch(pitch == FontPitch::Fixed);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

QColor colourFromReference(quint32 reference) {
    return QColor(int(reference & 0xFF), int((reference >> 8) & 0xFF), int((reference >> 16) & 0xFF));
}

quint32 referenceFromColour(const QColor& colour) {
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

} // namespace statdesk
