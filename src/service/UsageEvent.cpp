#include "UsageEvent.h"

#include "Hosts.h"
#include "THttpCli.h"

namespace statdesk {

namespace UsageEvent {

QString familyWord(Family family) {
    return family == Family::Players ? QStringLiteral("basketballplayers")
                                     : QStringLiteral("basketballteams");
}

QString inLine(Family family, const QString& brandHome, qint64 seconds) {
    return QStringLiteral("IN,") + familyWord(family) + QLatin1Char(',') + brandHome + QLatin1Char(',') +
           QString::number(seconds);
}

QString clickLine(Family family, const QString& brandHome) {
    return QStringLiteral("CLICK,") + familyWord(family) + QLatin1Char(',') + brandHome +
           QStringLiteral(",0");
}

QString urlClickLine(const QString& brandHome) {
    return QStringLiteral("URLCLICK,basketballplayers,") + brandHome + QStringLiteral(",0");
}

QString menuClickLine(const QString& link, const QString& brandHome) {
    return QStringLiteral("MENUCLICK,") + link + QLatin1Char(',') + brandHome + QStringLiteral(",0");
}

QString toolClickLine(const QString& link, const QString& brandHome) {
    return QStringLiteral("TOOLCLICK,") + link + QLatin1Char(',') + brandHome + QStringLiteral(",0");
}

qint64 secondsBetween(const QDateTime& since, const QDateTime& now) {
    // Integer division truncates toward zero, as the day fraction times 86400 would.
    return since.msecsTo(now) / 1000;
}

} // namespace UsageEvent

void postline(THttpCli& client, const QString& line) {
    client.setURL(hosts::site() + QStringLiteral("/999addlog.asp?Q=") + line);
    client.clearRequestBody();
    client.setReplyBuffer(nullptr);
    client.Get();
}

} // namespace statdesk
