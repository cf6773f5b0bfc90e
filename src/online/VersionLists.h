#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The service's shared lists that a copy reads at start-up, one group of lines per product and brand.
namespace statdesk {

// This program's code in the shared lists.
inline constexpr char kProductCode[] = "2";

// True when the version list (groups of product, brand, version) says this copy is out of date:
// the last group for this product and brand names another version, or no group names them. A
// list without any line says nothing.
bool versionListSaysOutOfDate(const QStringList& lines, const QString& brandHome, const QString& versionText);

struct BannerSettings {
    int count = 0;
    QString address;
    QString clickAddress;
};

// The banner settings the list (groups of brand, unused, count, address, click address, product)
// gives this brand, starting from `current`; nullopt when nothing changes. Without a group for this
// brand the count becomes 0 and the addresses stay.
std::optional<BannerSettings> bannerSettingsFromList(const QStringList& lines, const QString& brandHome,
                                                     const BannerSettings& current);

} // namespace statdesk
