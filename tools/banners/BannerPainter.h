#pragma once

#include "BannerSubjects.h"

#include <QImage>
#include <QString>

namespace statdesk::banners {

inline constexpr int kBannerWidth = 468;
inline constexpr int kBannerHeight = 60;
inline constexpr const char* kBannerFamily = "Liberation Sans";

// Empty when the banner font is installed, else what is missing (a stand-in font would change
// every banner).
QString missingFont();

// The banner of a subject; number picks the band colour, so neighbours differ.
QImage paintBanner(const BannerSubject& subject, int number);

} // namespace statdesk::banners
