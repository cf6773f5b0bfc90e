#pragma once

#include <QString>

// Where the About and welcome boxes send the user: pages of the maker's site and its mail box.
namespace statdesk::maker {

// The maker's web address and home page.
QString siteAddress();
QString homePage();
QString baseballSite();
QString basketballSite();
QString hockeySite();
QString partnerSite();
QString syndicationSite();
QString mailAddress();

} // namespace statdesk::maker
