#pragma once

#include <QPixmap>
#include <QString>

// The pictures built into the main window's band: five picture links to pages of the maker's site
// and the four partner logos of the showcase. Drawn in code, so no image files travel with them.
namespace statdesk {

inline constexpr int kPictureLinks = 5; // Image2 to Image6
inline constexpr int kSampleLogos = 4;  // ImageAlt1 to ImageAlt4
inline constexpr int kPictureLinkWidth = 120;
inline constexpr int kPictureLinkHeight = 60;

// Left positions of Image2 to Image6 on the band; all at top 0.
int pictureLinkLeft(int number);
// Picture link number 1 to 5 (Image2 to Image6).
QPixmap pictureLinkImage(int number);
// The site page that picture link number opens, "http://" + the site host + its path.
QString pictureLinkAddress(int number);
// Path of that page on the site, as the service's site settings list it.
QString pictureLinkPath(int number);

// The logo of showcase partner number 1 to 4 (ImageAlt1 to ImageAlt4).
QPixmap sampleLogo(int number);

} // namespace statdesk
