#include "Hosts.h"

#include <QStringList>

namespace statdesk::hosts {
namespace {

// The run command starts the local service on these three loopback addresses.
constexpr const char* kDefaultStatisticsHosts = "127.0.0.1:8470,127.0.0.2:8470,127.0.0.3:8470";
constexpr const char* kDefaultSite = "127.0.0.1:8470";
constexpr const char* kDefaultFtp = "127.0.0.1:8421";

QString fromEnvironment(const char* name, const char* fallback) {
    const QString value = qEnvironmentVariable(name).trimmed();
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

} // namespace

QString statistics(StatisticsHost which) {
    QStringList list = fromEnvironment("STATDESK_HOSTS", kDefaultStatisticsHosts).split(',');
    const QStringList defaults = QString::fromLatin1(kDefaultStatisticsHosts).split(',');
    while (list.size() < 3)
        list.append(defaults.at(list.size()));
    return list.at(static_cast<int>(which)).trimmed();
}

QString site() {
    return fromEnvironment("STATDESK_SITE", kDefaultSite);
}

QString news() {
    return fromEnvironment("STATDESK_NEWS", kDefaultSite);
}

QString ftp() {
    return fromEnvironment("STATDESK_FTP", kDefaultFtp);
}

} // namespace statdesk::hosts
