#pragma once

#include <QAbstractSocket>

namespace statdesk {

// The system's error number for a socket error, as the error box shows it ("Error #111" for a
// refused connection on Linux). Qt keeps the number to itself, so it is mapped back from Qt's
// classification; 0 where no number fits.
int socketErrorNumber(QAbstractSocket::SocketError error);

} // namespace statdesk
