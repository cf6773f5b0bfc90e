#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace statdesk::test {

// A third-party server run as a child process for the length of a test, on a free loopback port.
class ChildServerProcess final {
  public:
    ChildServerProcess() = default;
    ~ChildServerProcess();
    ChildServerProcess(const ChildServerProcess&) = delete;
    ChildServerProcess& operator=(const ChildServerProcess&) = delete;

    // Starts program and waits until it accepts connections on port; false with the reason otherwise.
    bool start(const QString& program, const QStringList& arguments, quint16 port, QString& error);
    void stop();
    QString output();

    // A loopback port that was free a moment ago.
    static quint16 freePort();

  private:
    QProcess m_process;
    QByteArray m_output;
};

} // namespace statdesk::test
