#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace statdesk::test {

// A throw-away PostgreSQL server (the installed initdb and pg_ctl) on a free 127.0.0.1 port for the
// length of a test, run as the postgres user when the test runs as root. Stopped and removed when
// destroyed.
class PostgresServer final {
  public:
    PostgresServer() = default;
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // Creates the data folder and starts the server; false with the reason otherwise.
    bool create(QString& error);
    // Starts and stops the created server, keeping its data; false with the reason otherwise.
    bool start(QString& error);
    bool stop(QString& error);
    // Answers on its port.
    bool isAccepting() const;

    // postgresql://postgres@127.0.0.1:PORT/postgres
    QString uri() const;
    quint16 port() const { return m_port; }

    // The first column of every row of a query (as bytes, exactly as stored; none for a statement
    // without rows); empty with the reason in error when it fails.
    QList<QByteArray> column(const QByteArray& sql, QString& error) const;

    // Whether initdb can run here: installed, and root or an ordinary user (never as root itself).
    static QString unavailableReason();

  private:
    bool run(const QString& program, const QStringList& arguments, QString& error) const;

    QTemporaryDir m_folder;
    quint16 m_port = 0;
    bool m_created = false;
};

} // namespace statdesk::test
