#include "BrandRecordReader.h"

#include "BrandRecordLayout.h"
#include "StartupError.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QIODevice>

namespace statdesk {
namespace {

class FieldReader {
  public:
    explicit FieldReader(QIODevice& source) : m_source(source) {}

    quint8 byte() {
        char c = 0;
        if (!m_source.getChar(&c))
            throw StartupError(QStringLiteral("Read beyond end of file"));
        return quint8(c);
    }

    bool flag() { return byte() == 1; }

    QByteArray bytes(qint64 count) {
        const QByteArray data = m_source.read(count);
        if (data.size() != count)
            throw StartupError(QStringLiteral("Read beyond end of file"));
        return data;
    }

    QString shortString() { return QString::fromLatin1(bytes(byte())); }

    quint32 bigEndian(int width) {
        quint32 value = 0;
        for (int i = 0; i < width; ++i)
            value = (value << 8) | byte();
        return value;
    }

  private:
    QIODevice& m_source;
};

QString nameOf(const QIODevice& device) {
    if (const auto* file = qobject_cast<const QFileDevice*>(&device))
        return QFileInfo(file->fileName()).absoluteFilePath();
    return QStringLiteral("logo");
}

void copyLogo(FieldReader& fields, qint64 length, QIODevice& logo) {
    if (!logo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw StartupError(QStringLiteral("Cannot create file %1: %2").arg(nameOf(logo), logo.errorString()));
    constexpr qint64 chunk = 64 * 1024;
    for (qint64 left = length; left > 0; left -= chunk) {
        const QByteArray part = fields.bytes(std::min(left, chunk));
        if (logo.write(part) != part.size())
            throw StartupError(
                QStringLiteral("Cannot write file %1: %2").arg(nameOf(logo), logo.errorString()));
    }
    logo.close();
    // A buffered file reports a full disk only when it flushes on close.
    if (const auto* file = qobject_cast<const QFileDevice*>(&logo);
        file && file->error() != QFileDevice::NoError)
        throw StartupError(QStringLiteral("Cannot write file %1: %2").arg(nameOf(logo), logo.errorString()));
}

FontPitch pitchFromByte(quint8 value) {
    switch (value) {
    case 2:
        return FontPitch::Fixed;
    case 3:
        return FontPitch::Variable;
    default:
        return FontPitch::Default;
    }
}

void readMenuLinks(FieldReader& fields, MenuLinkList& list) {
    list.Count = fields.byte();
    for (int i = 1; i <= list.Count; ++i) {
        list.Caption[i] = fields.shortString();
        list.Address[i] = fields.shortString();
    }
}

void readPanelLinks(FieldReader& fields, PanelLinkList& list) {
    list.Count = fields.byte();
    for (int i = 1; i <= list.Count; ++i) {
        list.Caption[i] = fields.shortString();
        list.Address[i] = fields.shortString();
        list.Left[i] = fields.shortString();
        list.Top[i] = fields.shortString();
    }
}

} // namespace

BrandRecord readBrandRecord(QIODevice& record, QIODevice& logo) {
    FieldReader fields(record);
    BrandRecord brand;
    brand.ShowLogo = fields.flag();
    brand.ShowLinkMenu = fields.flag();
    brand.ShowBand = fields.flag();
    brand.ShowNews = fields.flag();
    brand.ShowPartnerImages = fields.flag();
    brand.ShowLinkMenu2 = fields.flag();
    brand.UseProxyFile = fields.flag();
    brand.FetchAdSettings = fields.flag();
    brand.ShowcaseMode = fields.flag();

    brand.VersionText = fields.shortString();
    brand.Title = fields.shortString();
    brand.BrandHome = fields.shortString();
    brand.UpdateAddress = fields.shortString();
    brand.BannerAddress = fields.shortString();
    brand.BannerClickAddress = fields.shortString();

    brand.TableBanners = fields.byte();
    brand.BandHeight = fields.byte();
    brand.BannerCount = fields.byte();
    brand.BandColour = fields.bigEndian(4);

    copyLogo(fields, fields.bigEndian(3), logo);

    brand.FontCharset = fields.byte();
    brand.FontColour = fields.bigEndian(4);
    const int size = fields.byte();
    const QString name = fields.shortString();
    brand.LinkFontPitch = pitchFromByte(fields.byte());
    fields.byte(); // field 27, ignored
    const bool bold = fields.flag();
    const bool italic = fields.flag();
    const bool underline = fields.flag();
    const bool strikeOut = fields.flag();
    brand.LinkFont = buildLinkFont(name, size, brand.LinkFontPitch, bold, italic, underline, strikeOut);

    readMenuLinks(fields, brand.MenuLinks);
    readPanelLinks(fields, brand.PanelLinks);
    readMenuLinks(fields, brand.MenuLinks2);
    return brand;
}

} // namespace statdesk
