#include "BenchSupport.h"
#include "HeapSettings.h"

#include <QElapsedTimer>
#include <QStringList>
#include <QTcpSocket>

#include <algorithm>

namespace statdesk::bench {

void prepareEnvironment() {
    // The program's own start-up setting, so that its exchanges are measured as users run them.
    keepFreedMemoryForReuse();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("STATDESK_BUILD_DIR"))
        qputenv("STATDESK_BUILD_DIR", STATDESK_BUILD_DIR);
}

double measure(const std::function<void()>& work, int calls) {
    double best = 1e300;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < calls; ++i)
            work();
        best = std::min(best, double(timer.nsecsElapsed()) / calls);
    }
    return best;
}

std::vector<double> measureAlternating(const std::vector<std::function<void()>>& works, int calls) {
    std::vector<double> best(works.size(), 1e300);
    for (int round = 0; round < 9; ++round)
        for (size_t i = 0; i < works.size(); ++i)
            best[i] = std::min(best[i], measure(works[i], calls));
    return best;
}

std::pair<double, double> measurePair(const std::function<void()>& first, const std::function<void()>& second,
                                      int calls) {
    const std::vector<double> best = measureAlternating({first, second}, calls);
    return {best[0], best[1]};
}

QByteArray rawExchange(const QString& host, const QByteArray& path, const QByteArray& body) {
    const QStringList parts = host.split(':');
    const QByteArray request = "POST " + path +
                               " HTTP/1.0\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                               "Content-Length: " +
                               QByteArray::number(body.size()) + "\r\n\r\n" + body;
    QTcpSocket socket;
    socket.connectToHost(parts[0], quint16(parts[1].toInt()));
    socket.waitForConnected(5000);
    socket.write(request);
    socket.waitForBytesWritten(5000);
    QByteArray received;
    while (socket.state() == QAbstractSocket::ConnectedState && socket.waitForReadyRead(5000))
        received += socket.readAll();
    return received + socket.readAll();
}

} // namespace statdesk::bench
