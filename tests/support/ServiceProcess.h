#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace statdesk::test {

// The project's own statdesk-service (from the build in STATDESK_BUILD_DIR) run for the length of a
// test on a free 127.0.0.1 port; stopped when destroyed.
class ServiceProcess final {
  public:
    // Starts the service on databasePath and waits until it answers; check isRunning().
    // extraArguments go to the service as given (for example "--config", file).
    explicit ServiceProcess(const QString& databasePath, const QStringList& extraArguments = {});
    ~ServiceProcess();
    ServiceProcess(const ServiceProcess&) = delete;
    ServiceProcess& operator=(const ServiceProcess&) = delete;

    bool isRunning() const;
    // The service's process id while it runs (0 otherwise).
    qint64 processId() const { return m_process.processId(); }
    // Ends the service at once with SIGKILL, as a crashed host; true once the process is gone.
    bool kill();
    // Asks the service to stop (SIGTERM) and waits: its exit code, or -1 when it did not end by itself.
    int terminate();
    QString errorString() const { return m_error; }
    quint16 port() const { return m_port; }
    // "127.0.0.1:port", the form STATDESK_HOSTS and the other host variables take.
    QString host() const;
    // The file the service appends usage events to (a fresh one in a temporary folder).
    QString eventsPath() const;
    // Everything the service wrote to standard output and error so far.
    QString output();

    static QString executablePath();
    // The database the build makes from the real data.
    static QString builtDatabase();
    // Points the three statistics hosts and the maker's site at this service, the other hosts at a
    // closed port.
    void pointClientHere() const;

  private:
    bool start(const QString& databasePath, const QStringList& extraArguments);

    QTemporaryDir m_folder;
    QProcess m_process;
    QByteArray m_output;
    quint16 m_port = 0;
    QString m_error;
};

} // namespace statdesk::test
