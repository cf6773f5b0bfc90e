#pragma once

#include "ReplyLayout.h"

#include <QDateTime>
#include <QString>

namespace statdesk {

class THttpCli;

// One usage event: four comma-separated fields, sent unquoted and unescaped.
namespace UsageEvent {

// "basketballplayers" or "basketballteams".
QString familyWord(Family family);
// "IN," family "," brandHome "," seconds.
QString inLine(Family family, const QString& brandHome, qint64 seconds);
// "CLICK," family "," brandHome ",0".
QString clickLine(Family family, const QString& brandHome);
// "URLCLICK,basketballplayers," brandHome ",0": only the player window's brand label sends it.
QString urlClickLine(const QString& brandHome);
// "MENUCLICK," link "," brandHome ",0" and "TOOLCLICK," link "," brandHome ",0".
QString menuClickLine(const QString& link, const QString& brandHome);
QString toolClickLine(const QString& link, const QString& brandHome);

// Whole seconds from since to now, truncated toward zero.
qint64 secondsBetween(const QDateTime& since, const QDateTime& now);

} // namespace UsageEvent

// Sends one event line as GET "/999addlog.asp?Q=" + line to the site host, the line unchanged;
// the reply body is discarded. A failure is thrown as EHttpException.
void postline(THttpCli& client, const QString& line);

} // namespace statdesk
