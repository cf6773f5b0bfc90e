#pragma once

#include <QString>

// Every host the program talks to, in one place. Each defaults to the local service that the run
// command starts and is overridden through the environment ("host[:port]"), read at every call.
namespace statdesk::hosts {

enum class StatisticsHost { Opening = 0, Second = 1, Primary = 2 };

// STATDESK_HOSTS: opening, second and primary host, comma-separated.
QString statistics(StatisticsHost which);
// STATDESK_SITE: version list, update notice text, usage events.
QString site();
// STATDESK_NEWS: the news site.
QString news();
// STATDESK_FTP: the FTP host of the usage-log upload.
QString ftp();

} // namespace statdesk::hosts
