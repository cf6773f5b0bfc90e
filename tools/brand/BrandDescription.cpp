#include "BrandDescription.h"

#include "BrandRecordLayout.h"
#include "BrandToolError.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <utility>

namespace statdesk {
namespace {

// The flags in stored order, with their keys.
std::array<std::pair<const char*, bool BrandRecord::*>, 9> flagFields() {
    return {{{"ShowLogo", &BrandRecord::ShowLogo},
             {"ShowLinkMenu", &BrandRecord::ShowLinkMenu},
             {"ShowBand", &BrandRecord::ShowBand},
             {"ShowNews", &BrandRecord::ShowNews},
             {"ShowPartnerImages", &BrandRecord::ShowPartnerImages},
             {"ShowLinkMenu2", &BrandRecord::ShowLinkMenu2},
             {"UseProxyFile", &BrandRecord::UseProxyFile},
             {"FetchAdSettings", &BrandRecord::FetchAdSettings},
             {"ShowcaseMode", &BrandRecord::ShowcaseMode}}};
}

std::array<std::pair<const char*, QString BrandRecord::*>, 6> stringFields() {
    return {{{"VersionText", &BrandRecord::VersionText},
             {"Title", &BrandRecord::Title},
             {"BrandHome", &BrandRecord::BrandHome},
             {"UpdateAddress", &BrandRecord::UpdateAddress},
             {"BannerAddress", &BrandRecord::BannerAddress},
             {"BannerClickAddress", &BrandRecord::BannerClickAddress}}};
}

std::array<std::pair<const char*, int BrandRecord::*>, 3> byteFields() {
    return {{{"TableBanners", &BrandRecord::TableBanners},
             {"BandHeight", &BrandRecord::BandHeight},
             {"BannerCount", &BrandRecord::BannerCount}}};
}

// Reads the keys of one JSON object, refusing keys it does not know so that a misspelt key is not
// silently dropped.
class ObjectReader {
  public:
    ObjectReader(const QJsonObject& object, QString where) : m_object(object), m_where(std::move(where)) {}

    void allow(std::initializer_list<const char*> keys) {
        for (const QString& key : m_object.keys()) {
            if (std::none_of(keys.begin(), keys.end(),
                             [&](const char* k) { return key == QLatin1String(k); }))
                throw BrandToolError(QStringLiteral("Unknown key \"%1\" in %2").arg(key, m_where));
        }
    }

    bool flag(const char* key) const {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return false;
        if (!v.isBool())
            throw BrandToolError(QStringLiteral("%1 must be true or false").arg(name(key)));
        return v.toBool();
    }

    QString text(const char* key) const {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        // Positions are text in the record; a plain number is taken as its decimal text.
        if (v.isDouble() && v.toDouble() == double(v.toInteger()))
            return QString::number(v.toInteger());
        if (!v.isString())
            throw BrandToolError(QStringLiteral("%1 must be a string").arg(name(key)));
        return v.toString();
    }

    int byte(const char* key) const {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return 0;
        if (!v.isDouble() || v.toDouble() != double(v.toInteger()) || v.toInteger() < 0 ||
            v.toInteger() > 255)
            throw BrandToolError(QStringLiteral("%1 must be a whole number from 0 to 255").arg(name(key)));
        return int(v.toInteger());
    }

    quint32 colour(const char* key) const {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return 0;
        static const QRegularExpression hex(
            QStringLiteral("^#([0-9a-fA-F]{2})([0-9a-fA-F]{2})([0-9a-fA-F]{2})$"));
        if (const QRegularExpressionMatch m = hex.match(v.toString()); v.isString() && m.hasMatch())
            return m.captured(1).toUInt(nullptr, 16) | (m.captured(2).toUInt(nullptr, 16) << 8) |
                   (m.captured(3).toUInt(nullptr, 16) << 16);
        if (v.isDouble() && v.toDouble() == double(v.toInteger()) && v.toInteger() >= 0 &&
            v.toInteger() <= 0xFFFFFFFF)
            return quint32(v.toInteger());
        throw BrandToolError(
            QStringLiteral("%1 must be \"#rrggbb\" or a 32-bit colour reference number").arg(name(key)));
    }

    QJsonArray list(const char* key) const {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (v.isUndefined())
            return {};
        if (!v.isArray())
            throw BrandToolError(QStringLiteral("%1 must be a list").arg(name(key)));
        if (v.toArray().size() > brandlayout::MaxListEntries)
            throw BrandToolError(QStringLiteral("%1 has %2 entries; at most %3 fit")
                                     .arg(name(key))
                                     .arg(v.toArray().size())
                                     .arg(brandlayout::MaxListEntries));
        return v.toArray();
    }

    QJsonObject object(const char* key) const {
        const QJsonValue v = m_object.value(QLatin1String(key));
        if (!v.isUndefined() && !v.isObject())
            throw BrandToolError(QStringLiteral("%1 must be an object").arg(name(key)));
        return v.toObject();
    }

    QString name(const char* key) const {
        if (m_where.isEmpty())
            return QLatin1String(key);
        return m_where + QLatin1Char('.') + QLatin1String(key);
    }

  private:
    QJsonObject m_object;
    QString m_where;
};

QJsonObject entryObject(const QJsonArray& list, int index, const QString& where) {
    if (!list.at(index).isObject())
        throw BrandToolError(QStringLiteral("%1 must be an object").arg(where));
    return list.at(index).toObject();
}

void parseMenuLinks(const QJsonArray& list, const QString& name, MenuLinkList& links) {
    links.Count = int(list.size());
    for (int i = 1; i <= links.Count; ++i) {
        const QString where = QStringLiteral("%1[%2]").arg(name).arg(i);
        ObjectReader entry(entryObject(list, i - 1, where), where);
        entry.allow({"Caption", "Address"});
        links.Caption[i] = entry.text("Caption");
        links.Address[i] = entry.text("Address");
    }
}

void parsePanelLinks(const QJsonArray& list, PanelLinkList& links) {
    links.Count = int(list.size());
    for (int i = 1; i <= links.Count; ++i) {
        const QString where = QStringLiteral("PanelLinks[%1]").arg(i);
        ObjectReader entry(entryObject(list, i - 1, where), where);
        entry.allow({"Caption", "Address", "Left", "Top"});
        links.Caption[i] = entry.text("Caption");
        links.Address[i] = entry.text("Address");
        links.Left[i] = entry.text("Left");
        links.Top[i] = entry.text("Top");
    }
}

FontPitch parsePitch(const QString& text) {
    if (text.isEmpty() || text == QLatin1String("default"))
        return FontPitch::Default;
    if (text == QLatin1String("fixed"))
        return FontPitch::Fixed;
    if (text == QLatin1String("variable"))
        return FontPitch::Variable;
    throw BrandToolError(QStringLiteral("LinkFont.Pitch must be \"default\", \"fixed\" or \"variable\""));
}

void parseLinkFont(const QJsonObject& object, BrandRecord& record) {
    ObjectReader font(object, QStringLiteral("LinkFont"));
    font.allow({"Name", "Size", "Charset", "Colour", "Pitch", "Bold", "Italic", "Underline", "StrikeOut"});
    record.LinkFontPitch = parsePitch(font.text("Pitch"));
    record.LinkFont =
        buildLinkFont(font.text("Name"), font.byte("Size"), record.LinkFontPitch, font.flag("Bold"),
                      font.flag("Italic"), font.flag("Underline"), font.flag("StrikeOut"));
    record.FontCharset = font.byte("Charset");
    record.FontColour = font.colour("Colour");
}

QJsonValue colourValue(quint32 reference) {
    if (reference > 0xFFFFFF)
        return double(reference);
    return QStringLiteral("#%1%2%3")
        .arg(reference & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((reference >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((reference >> 16) & 0xFF, 2, 16, QLatin1Char('0'));
}

QJsonArray menuLinksValue(const MenuLinkList& links) {
    QJsonArray list;
    for (int i = 1; i <= links.Count; ++i)
        list.append(QJsonObject{{QStringLiteral("Caption"), links.Caption[i]},
                                {QStringLiteral("Address"), links.Address[i]}});
    return list;
}

QJsonArray panelLinksValue(const PanelLinkList& links) {
    QJsonArray list;
    for (int i = 1; i <= links.Count; ++i)
        list.append(QJsonObject{{QStringLiteral("Caption"), links.Caption[i]},
                                {QStringLiteral("Address"), links.Address[i]},
                                {QStringLiteral("Left"), links.Left[i]},
                                {QStringLiteral("Top"), links.Top[i]}});
    return list;
}

QString pitchText(FontPitch pitch) {
    switch (pitch) {
    case FontPitch::Fixed:
        return QStringLiteral("fixed");
    case FontPitch::Variable:
        return QStringLiteral("variable");
    case FontPitch::Default:
        break;
    }
    return QStringLiteral("default");
}

} // namespace

BrandDescription parseBrandDescription(const QByteArray& json, const QString& baseDir) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw BrandToolError(QStringLiteral("Not a valid brand description: %1 at offset %2")
                                 .arg(error.errorString())
                                 .arg(error.offset));
    if (!document.isObject())
        throw BrandToolError(QStringLiteral("A brand description is one JSON object"));

    ObjectReader top(document.object(), QString());
    top.allow({"ShowLogo",      "ShowLinkMenu", "ShowBand",        "ShowNews",      "ShowPartnerImages",
               "ShowLinkMenu2", "UseProxyFile", "FetchAdSettings", "ShowcaseMode",  "VersionText",
               "Title",         "BrandHome",    "UpdateAddress",   "BannerAddress", "BannerClickAddress",
               "TableBanners",  "BandHeight",   "BannerCount",     "BandColour",    "Logo",
               "LinkFont",      "MenuLinks",    "PanelLinks",      "MenuLinks2"});
    BrandDescription description;
    BrandRecord& record = description.Record;
    for (const auto& [key, field] : flagFields())
        record.*field = top.flag(key);
    for (const auto& [key, field] : stringFields())
        record.*field = top.text(key);
    for (const auto& [key, field] : byteFields())
        record.*field = top.byte(key);
    record.BandColour = top.colour("BandColour");
    parseLinkFont(top.object("LinkFont"), record);
    parseMenuLinks(top.list("MenuLinks"), QStringLiteral("MenuLinks"), record.MenuLinks);
    parsePanelLinks(top.list("PanelLinks"), record.PanelLinks);
    parseMenuLinks(top.list("MenuLinks2"), QStringLiteral("MenuLinks2"), record.MenuLinks2);

    if (const QString logo = top.text("Logo"); !logo.isEmpty())
        description.LogoPath = QDir::cleanPath(QDir(baseDir).absoluteFilePath(logo));
    return description;
}

QJsonObject describeBrand(const BrandRecord& record, const QString& logoPath) {
    QJsonObject object;
    for (const auto& [key, field] : flagFields())
        object.insert(QLatin1String(key), record.*field);
    for (const auto& [key, field] : stringFields())
        object.insert(QLatin1String(key), record.*field);
    for (const auto& [key, field] : byteFields())
        object.insert(QLatin1String(key), record.*field);
    object.insert(QStringLiteral("BandColour"), colourValue(record.BandColour));
    if (!logoPath.isEmpty())
        object.insert(QStringLiteral("Logo"), logoPath);

    const QFont& font = record.LinkFont;
    const bool sized = font.resolveMask() & QFont::SizeResolved;
    object.insert(QStringLiteral("LinkFont"),
                  QJsonObject{{QStringLiteral("Name"), font.family()},
                              {QStringLiteral("Size"), sized ? font.pointSize() : 0},
                              {QStringLiteral("Charset"), record.FontCharset},
                              {QStringLiteral("Colour"), colourValue(record.FontColour)},
                              {QStringLiteral("Pitch"), pitchText(record.LinkFontPitch)},
                              {QStringLiteral("Bold"), font.bold()},
                              {QStringLiteral("Italic"), font.italic()},
                              {QStringLiteral("Underline"), font.underline()},
                              {QStringLiteral("StrikeOut"), font.strikeOut()}});
    object.insert(QStringLiteral("MenuLinks"), menuLinksValue(record.MenuLinks));
    object.insert(QStringLiteral("PanelLinks"), panelLinksValue(record.PanelLinks));
    object.insert(QStringLiteral("MenuLinks2"), menuLinksValue(record.MenuLinks2));
    return object;
}

} // namespace statdesk
