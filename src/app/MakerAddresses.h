#pragma once

#include <QString>

// Where the About and welcome boxes send the user: pages of the maker's site and its mail box.
namespace statdesk::maker {

QString baseballSite();
QString basketballSite();
QString hockeySite();
QString partnerSite();
QString syndicationSite();
QString mailAddress();

} // namespace statdesk::maker
