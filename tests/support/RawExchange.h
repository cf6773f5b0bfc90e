#pragma once

#include <QByteArray>
#include <QString>

namespace statdesk::test {

// Every byte a server answers to `request`, read until it closes, with nothing of the client's code
// in between; empty when nothing listens.
QByteArray exchangeRaw(const QString& address, quint16 port, const QByteArray& request);

} // namespace statdesk::test
