#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <utility>
#include <vector>

namespace statdesk::bench {

// Offscreen and the build folder, unless the environment names others; before the application exists.
void prepareEnvironment();

// Best of several rounds, in nanoseconds per call.
double measure(const std::function<void()>& work, int calls);

// Pieces of work measured in alternating rounds, so that load from elsewhere hits all alike; each
// keeps its best round.
std::vector<double> measureAlternating(const std::vector<std::function<void()>>& works, int calls);

std::pair<double, double> measurePair(const std::function<void()>& first, const std::function<void()>& second,
                                      int calls);

// One POST to the service with nothing but a socket: the service's own time plus the loopback.
// Returns every byte received, header included.
QByteArray rawExchange(const QString& host, const QByteArray& path, const QByteArray& body);

} // namespace statdesk::bench
