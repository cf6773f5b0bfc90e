#include "MakerAddresses.h"

#include "Hosts.h"

namespace statdesk::maker {
namespace {
QString sitePage(const char* path) {
    return QStringLiteral("http://") + hosts::site() + QLatin1String(path);
}
} // namespace

QString siteAddress() {
    return QStringLiteral("http://") + hosts::site();
}
QString homePage() {
    return sitePage("/");
}
QString baseballSite() {
    return sitePage("/baseball/");
}
QString basketballSite() {
    return sitePage("/basketball/");
}
QString hockeySite() {
    return sitePage("/hockey/");
}
QString partnerSite() {
    return sitePage("/partners/");
}
QString syndicationSite() {
    return sitePage("/licensed-content/");
}
QString mailAddress() {
    return QStringLiteral("mailto:stats@statdesk.example");
}

} // namespace statdesk::maker
