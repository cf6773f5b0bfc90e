#include "SocketErrorNumber.h"

#include <cerrno>
#include <netdb.h>

namespace statdesk {

int socketErrorNumber(QAbstractSocket::SocketError error) {
    using E = QAbstractSocket::SocketError;
    switch (error) {
    case E::ConnectionRefusedError:
    case E::ProxyConnectionRefusedError:
        return ECONNREFUSED;
    case E::RemoteHostClosedError:
    case E::ProxyConnectionClosedError:
        return ECONNRESET;
    case E::HostNotFoundError:
    case E::ProxyNotFoundError:
        // A failed name look-up has no errno: the resolver's own number for an unknown host.
        return HOST_NOT_FOUND;
    case E::SocketAccessError:
        return EACCES;
    case E::SocketResourceError:
        return EMFILE;
    case E::SocketTimeoutError:
    case E::ProxyConnectionTimeoutError:
        return ETIMEDOUT;
    case E::DatagramTooLargeError:
        return EMSGSIZE;
    case E::NetworkError:
        return ENETUNREACH;
    case E::AddressInUseError:
        return EADDRINUSE;
    case E::SocketAddressNotAvailableError:
        return EADDRNOTAVAIL;
    case E::UnsupportedSocketOperationError:
        return EOPNOTSUPP;
    case E::OperationError:
        return EINVAL;
    default:
        return 0;
    }
}

} // namespace statdesk
