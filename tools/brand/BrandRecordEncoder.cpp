#include "BrandRecordEncoder.h"

#include "BrandRecordLayout.h"
#include "BrandToolError.h"

namespace statdesk {
namespace {

class FieldWriter {
  public:
    void byte(int value, const QString& field) {
        if (value < 0 || value > 255)
            throw BrandToolError(QStringLiteral("%1 is %2; it must be 0 to 255").arg(field).arg(value));
        m_bytes.append(char(quint8(value)));
    }

    void flag(bool on) { m_bytes.append(on ? '\1' : '\0'); }

    void bigEndian(quint32 value, int width) {
        for (int shift = (width - 1) * 8; shift >= 0; shift -= 8)
            m_bytes.append(char(quint8(value >> shift)));
    }

    void shortString(const QString& text, const QString& field) {
        for (QChar c : text) {
            if (c.unicode() > 0xFF)
                throw BrandToolError(QStringLiteral("%1: the character U+%2 does not fit in one byte")
                                         .arg(field)
                                         .arg(c.unicode(), 4, 16, QLatin1Char('0')));
        }
        if (text.size() > brandlayout::MaxShortString)
            throw BrandToolError(QStringLiteral("%1 is %2 bytes long; at most %3 fit")
                                     .arg(field)
                                     .arg(text.size())
                                     .arg(brandlayout::MaxShortString));
        m_bytes.append(char(quint8(text.size())));
        m_bytes.append(text.toLatin1());
    }

    void raw(const QByteArray& bytes) { m_bytes.append(bytes); }
    const QByteArray& bytes() const { return m_bytes; }

  private:
    QByteArray m_bytes;
};

void checkLogo(const QByteArray& logo) {
    if (logo.isEmpty())
        return;
    if (logo.size() > brandlayout::MaxLogoLength)
        throw BrandToolError(QStringLiteral("The logo is %1 bytes long; at most %2 fit")
                                 .arg(logo.size())
                                 .arg(brandlayout::MaxLogoLength));
    if (!logo.startsWith("BM"))
        throw BrandToolError(QStringLiteral("The logo is not a bitmap file (it does not begin with \"BM\")"));
}

int pitchByte(FontPitch pitch) {
    switch (pitch) {
    case FontPitch::Fixed:
        return 2;
    case FontPitch::Variable:
        return 3;
    case FontPitch::Default:
        break;
    }
    return 1;
}

void checkCount(int count, const QString& list) {
    if (count < 0 || count > brandlayout::MaxListEntries)
        throw BrandToolError(QStringLiteral("%1 has %2 entries; at most %3 fit")
                                 .arg(list)
                                 .arg(count)
                                 .arg(brandlayout::MaxListEntries));
}

void writeMenuLinks(FieldWriter& out, const MenuLinkList& list, const QString& name) {
    checkCount(list.Count, name);
    out.byte(list.Count, name);
    for (int i = 1; i <= list.Count; ++i) {
        const QString entry = QStringLiteral("%1[%2].").arg(name).arg(i);
        out.shortString(list.Caption[i], entry + QStringLiteral("Caption"));
        out.shortString(list.Address[i], entry + QStringLiteral("Address"));
    }
}

void writePanelLinks(FieldWriter& out, const PanelLinkList& list) {
    const QString name = QStringLiteral("PanelLinks");
    checkCount(list.Count, name);
    out.byte(list.Count, name);
    for (int i = 1; i <= list.Count; ++i) {
        const QString entry = QStringLiteral("%1[%2].").arg(name).arg(i);
        out.shortString(list.Caption[i], entry + QStringLiteral("Caption"));
        out.shortString(list.Address[i], entry + QStringLiteral("Address"));
        out.shortString(list.Left[i], entry + QStringLiteral("Left"));
        out.shortString(list.Top[i], entry + QStringLiteral("Top"));
    }
}

} // namespace

QByteArray encodeBrandRecord(const BrandRecord& r, const QByteArray& logo) {
    checkLogo(logo);
    FieldWriter out;
    for (bool flag : {r.ShowLogo, r.ShowLinkMenu, r.ShowBand, r.ShowNews, r.ShowPartnerImages,
                      r.ShowLinkMenu2, r.UseProxyFile, r.FetchAdSettings, r.ShowcaseMode})
        out.flag(flag);
    out.shortString(r.VersionText, QStringLiteral("VersionText"));
    out.shortString(r.Title, QStringLiteral("Title"));
    out.shortString(r.BrandHome, QStringLiteral("BrandHome"));
    out.shortString(r.UpdateAddress, QStringLiteral("UpdateAddress"));
    out.shortString(r.BannerAddress, QStringLiteral("BannerAddress"));
    out.shortString(r.BannerClickAddress, QStringLiteral("BannerClickAddress"));
    out.byte(r.TableBanners, QStringLiteral("TableBanners"));
    out.byte(r.BandHeight, QStringLiteral("BandHeight"));
    out.byte(r.BannerCount, QStringLiteral("BannerCount"));
    out.bigEndian(r.BandColour, 4);
    out.bigEndian(quint32(logo.size()), 3);
    out.raw(logo);

    out.byte(r.FontCharset, QStringLiteral("LinkFont.Charset"));
    out.bigEndian(r.FontColour, 4);
    // A record size of 0 leaves the font at its default size; write 0 back for it.
    const bool sized = r.LinkFont.resolveMask() & QFont::SizeResolved;
    out.byte(sized ? std::max(r.LinkFont.pointSize(), 0) : 0, QStringLiteral("LinkFont.Size"));
    out.shortString(r.LinkFont.family(), QStringLiteral("LinkFont.Name"));
    out.byte(pitchByte(r.LinkFontPitch), QStringLiteral("LinkFont.Pitch"));
    out.byte(brandlayout::SkippedFontByte, QString());
    out.flag(r.LinkFont.bold());
    out.flag(r.LinkFont.italic());
    out.flag(r.LinkFont.underline());
    out.flag(r.LinkFont.strikeOut());

    writeMenuLinks(out, r.MenuLinks, QStringLiteral("MenuLinks"));
    writePanelLinks(out, r.PanelLinks);
    writeMenuLinks(out, r.MenuLinks2, QStringLiteral("MenuLinks2"));

    if (out.bytes().size() > brandlayout::MaxRecordBytes)
        throw BrandToolError(
            QStringLiteral("The brand record is %1 bytes long; a program reads at most %2 bytes "
                           "of it, so it would not start (make the logo smaller)")
                .arg(out.bytes().size())
                .arg(brandlayout::MaxRecordBytes));
    return out.bytes();
}

} // namespace statdesk
