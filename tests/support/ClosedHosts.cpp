#include "ClosedHosts.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace statdesk::test {
namespace {

// Bound for the life of the process; the descriptor is never closed.
quint16 bindClosedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        qFatal("cannot hold a closed loopback port: %s", strerror(errno));
    return ntohs(address.sin_port);
}

} // namespace

QString deadHost() {
    static const quint16 port = bindClosedPort();
    return QStringLiteral("127.0.0.1:") + QString::number(port);
}

void pointHostsAtClosedPort() {
    const QByteArray dead = deadHost().toLatin1();
    qputenv("STATDESK_HOSTS", dead + ',' + dead + ',' + dead);
    qputenv("STATDESK_SITE", dead);
    qputenv("STATDESK_NEWS", dead);
    qputenv("STATDESK_FTP", dead);
}

} // namespace statdesk::test
