#include "PostgresServer.h"

#include "ChildServerProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTcpSocket>
#include <QThread>

#include <libpq-fe.h>
#include <pwd.h>
#include <unistd.h>

namespace statdesk::test {
namespace {

QString postgresBin() {
    const QStringList versions = QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                                        QDir::Name | QDir::Reversed);
    return versions.isEmpty() ? QString() : "/usr/lib/postgresql/" + versions.front() + "/bin/";
}

} // namespace

PostgresServer::~PostgresServer() {
    QString ignored;
    if (m_created && isAccepting())
        stop(ignored);
}

QString PostgresServer::unavailableReason() {
    if (postgresBin().isEmpty())
        return QStringLiteral("PostgreSQL is not installed (scripts/install-deps.sh installs it)");
    if (geteuid() == 0 && getpwnam("postgres") == nullptr)
        return QStringLiteral("running as root without a postgres user to run PostgreSQL as");
    return {};
}

bool PostgresServer::run(const QString& program, const QStringList& arguments, QString& error) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(m_folder.path());
    if (geteuid() == 0)
        process.start("runuser", QStringList{"-u", "postgres", "--", postgresBin() + program} + arguments);
    else
        process.start(postgresBin() + program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        error = program + " failed: " + QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

bool PostgresServer::create(QString& error) {
    error = unavailableReason();
    if (!error.isEmpty() || !m_folder.isValid()) {
        error += m_folder.isValid() ? QString() : QStringLiteral("no temporary folder");
        return false;
    }
    if (geteuid() == 0) {
        const passwd* user = getpwnam("postgres");
        if (chown(m_folder.path().toLocal8Bit().constData(), user->pw_uid, user->pw_gid) != 0) {
            error = QStringLiteral("cannot hand the data folder to the postgres user");
            return false;
        }
    }
    m_port = ChildServerProcess::freePort();
    if (!run("initdb", {"-D", m_folder.filePath("data"), "-U", "postgres", "--auth=trust", "-E", "UTF8",
                        "--locale=C.UTF-8"},
             error))
        return false;
    m_created = true;
    return start(error);
}

bool PostgresServer::start(QString& error) {
    const QString options = QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1")
                                .arg(m_port)
                                .arg(m_folder.filePath("data"));
    if (!run("pg_ctl", {"-D", m_folder.filePath("data"), "-l", m_folder.filePath("data/server.log"), "-w",
                        "-o", options, "start"},
             error))
        return false;
    if (!isAccepting()) {
        error = QStringLiteral("PostgreSQL started but does not answer on port ") + QString::number(m_port);
        return false;
    }
    return true;
}

bool PostgresServer::stop(QString& error) {
    if (!run("pg_ctl", {"-D", m_folder.filePath("data"), "-m", "fast", "-w", "stop"}, error))
        return false;
    if (isAccepting()) {
        error = QStringLiteral("PostgreSQL still answers after its stop");
        return false;
    }
    return true;
}

bool PostgresServer::isAccepting() const {
    QTcpSocket probe;
    probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
    return probe.waitForConnected(1000);
}

QString PostgresServer::uri() const {
    return QStringLiteral("postgresql://postgres@127.0.0.1:%1/postgres").arg(m_port);
}

QList<QByteArray> PostgresServer::column(const QByteArray& sql, QString& error) const {
    PGconn* connection = PQconnectdb(uri().toUtf8().constData());
    QList<QByteArray> values;
    if (PQstatus(connection) != CONNECTION_OK) {
        error = QString::fromLocal8Bit(PQerrorMessage(connection));
        PQfinish(connection);
        return values;
    }
    PQsetNoticeProcessor(connection, [](void*, const char*) {}, nullptr);
    // Binary results: a bytea column comes back as its bytes.
    PGresult* result = PQexecParams(connection, sql.constData(), 0, nullptr, nullptr, nullptr, nullptr, 1);
    if (PQresultStatus(result) != PGRES_TUPLES_OK && PQresultStatus(result) != PGRES_COMMAND_OK) {
        error = QString::fromLocal8Bit(PQresultErrorMessage(result));
    } else {
        for (int row = 0; row < PQntuples(result); ++row)
            values.append(QByteArray(PQgetvalue(result, row, 0), PQgetlength(result, row, 0)));
    }
    PQclear(result);
    PQfinish(connection);
    return values;
}

} // namespace statdesk::test
