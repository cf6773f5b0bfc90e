// The error number in a failed exchange's text is the system's, not Qt's enumeration value.

#include "EHttpException.h"
#include "SocketErrorNumber.h"
#include "THttpCli.h"

#include <QTcpServer>
#include <QTest>

#include <arpa/inet.h>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace statdesk;

namespace {

quint16 closedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// What the system itself says when asked to connect to 127.0.0.1:port.
int systemConnectError(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int error = result == 0 ? 0 : errno;
    ::close(fd);
    return error;
}

} // namespace

class TestSocketError : public QObject {
    Q_OBJECT
  private slots:
    void numbers_data();
    void numbers();
    void refusedConnectionShowsTheSystemsNumber();
};

void TestSocketError::numbers_data() {
    QTest::addColumn<QAbstractSocket::SocketError>("error");
    QTest::addColumn<int>("number");
    using E = QAbstractSocket::SocketError;
    QTest::newRow("refused") << E::ConnectionRefusedError << ECONNREFUSED;
    QTest::newRow("host not found") << E::HostNotFoundError << HOST_NOT_FOUND;
    QTest::newRow("timed out") << E::SocketTimeoutError << ETIMEDOUT;
    QTest::newRow("reset") << E::RemoteHostClosedError << ECONNRESET;
    QTest::newRow("network unreachable") << E::NetworkError << ENETUNREACH;
    QTest::newRow("address in use") << E::AddressInUseError << EADDRINUSE;
    QTest::newRow("proxy refused") << E::ProxyConnectionRefusedError << ECONNREFUSED;
    QTest::newRow("unknown") << E::UnknownSocketError << 0;
}

void TestSocketError::numbers() {
    QFETCH(QAbstractSocket::SocketError, error);
    QFETCH(int, number);
    QCOMPARE(socketErrorNumber(error), number);
}

void TestSocketError::refusedConnectionShowsTheSystemsNumber() {
    const quint16 port = closedPort();
    const int systemError = systemConnectError(port);
    QCOMPARE(systemError, ECONNREFUSED); // the port is closed: the case under test holds
    THttpCli http;
    http.setURL(QStringLiteral("127.0.0.1:%1/x").arg(port));
    try {
        http.Get();
        QFAIL("a closed port answered");
    } catch (const EHttpException& failure) {
        QCOMPARE(failure.reason(),
                 QStringLiteral("can't connect: Connection refused (Error #%1)").arg(systemError));
    }
}

QTEST_MAIN(TestSocketError)
#include "tst_socketerror.moc"
