#include "CupsPdfQueue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <atomic>

#include <pwd.h>
#include <unistd.h>

namespace statdesk::test {

namespace {

const QString Scheduler = QStringLiteral("/usr/sbin/cupsd");
const QString Backend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
// CUPS-PDF reads the configuration of the queue cups-pdf:/NAME from here, beside its main one.
const QString BackendConfigFolder = QStringLiteral("/etc/cups");
// The backend's own spool area; confinement profiles of the scheduler let it write here.
const QString SpoolFolder = QStringLiteral("/var/spool/cups-pdf");
const QString LogFolder = QStringLiteral("/var/log/cups");

// Runs a CUPS client program in the C locale, whose messages are parsed below.
bool run(const QString& program, const QStringList& arguments, QString& output, QString& error,
         int timeoutMs = 30000) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const QString command = program + QLatin1Char(' ') + arguments.join(QLatin1Char(' '));
    if (!process.waitForStarted()) {
        error = command + QStringLiteral(": ") + process.errorString();
        return false;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        error = command + QStringLiteral(": no answer within %1 ms").arg(timeoutMs);
        return false;
    }
    output = QString::fromLocal8Bit(process.readAllStandardOutput());
    const QString errorOutput = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        error = command + QStringLiteral(": exit code %1: %2").arg(process.exitCode()).arg(errorOutput);
        return false;
    }
    return true;
}

bool schedulerRuns() {
    QString output, error;
    // lpstat -r succeeds either way; only its text tells.
    return run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, output, error, 5000) &&
           output.trimmed() == QStringLiteral("scheduler is running");
}

// An enforcing AppArmor profile lets the backend read its main configuration only.
bool backendConfined() {
    QFile profiles(QStringLiteral("/sys/kernel/security/apparmor/profiles"));
    return profiles.open(QIODevice::ReadOnly) &&
           profiles.readAll().contains(QByteArray(Backend.toUtf8() + " (enforce)"));
}

// Where the main configuration puts the PDFs of a local user's jobs.
QString mainOutputFolder() {
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}"); // the backend's built-in default
    QFile config(BackendConfigFolder + QStringLiteral("/cups-pdf.conf"));
    if (config.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression setting(QStringLiteral("^\\s*Out\\s+(\\S.*?)\\s*$"),
                                                QRegularExpression::MultilineOption);
        for (const QRegularExpressionMatch& match :
             setting.globalMatch(QString::fromLocal8Bit(config.readAll())))
            out = match.captured(1);
    }
    const passwd* user = getpwuid(geteuid());
    if (user) {
        out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(user->pw_dir));
        out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
    }
    return QDir::cleanPath(out);
}

QString uniqueName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("statdesk_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

bool endsWithEof(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16)
        return false;
    file.seek(file.size() - 16);
    return file.read(16).trimmed().endsWith("%%EOF");
}

QString tail(const QString& path, int lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(no log at %1)").arg(path);
    const QStringList all = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
    return all.mid(std::max<qsizetype>(0, all.size() - lines)).join(QLatin1Char('\n'));
}

} // namespace

CupsPdfQueue::CupsPdfQueue() : m_lock(QDir::temp().filePath(QStringLiteral("statdesk-cups-pdf-queue.lock"))) {
    // Only a dead owner frees the lock; a long print test must not lose it to age.
    m_lock.setStaleLockTime(0);
    m_ready = setUp();
}

CupsPdfQueue::~CupsPdfQueue() {
    tearDown();
}

bool CupsPdfQueue::canAdminister() {
    if (geteuid() != 0)
        return false;
    for (const char* program : {"lpadmin", "lpstat", "lpinfo"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            return false;
    return QFileInfo(Scheduler).isExecutable() && QFileInfo::exists(Backend);
}

QByteArray CupsPdfQueue::cannotAdministerReason() {
    return QStringLiteral("creating a print queue needs root and the packages cups and "
                          "printer-driver-cups-pdf (%1, %2, lpadmin)")
        .arg(Scheduler, Backend)
        .toLocal8Bit();
}

bool CupsPdfQueue::setUp() {
    if (!canAdminister()) {
        m_error = QString::fromLocal8Bit(cannotAdministerReason());
        return false;
    }
    if (!m_lock.tryLock(5 * 60 * 1000)) {
        m_error = QStringLiteral("another test has held the print queue lock %1 for five minutes")
                      .arg(m_lock.fileName());
        return false;
    }
    return ensureScheduler() && createQueue();
}

bool CupsPdfQueue::ensureScheduler() {
    if (schedulerRuns())
        return true;
    m_scheduler = std::make_unique<QProcess>();
    m_scheduler->setProcessChannelMode(QProcess::MergedChannels);
    // In the foreground it stays this process's child, so the end of the test can stop it.
    m_scheduler->start(Scheduler, {QStringLiteral("-f")});
    if (!m_scheduler->waitForStarted()) {
        m_error = Scheduler + QStringLiteral(" does not start: ") + m_scheduler->errorString();
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (m_scheduler->state() != QProcess::Running) {
            m_error = Scheduler + QStringLiteral(" ended at once: ") +
                      QString::fromLocal8Bit(m_scheduler->readAll());
            return false;
        }
        if (schedulerRuns())
            return true;
        QThread::msleep(100);
    }
    m_error = Scheduler + QStringLiteral(" started but lpstat -r does not see it running");
    return false;
}

bool CupsPdfQueue::createQueue() {
    QString drivers;
    if (!run(QStringLiteral("lpinfo"), {QStringLiteral("-m")}, drivers, m_error, 60000))
        return false;
    QString driver;
    for (const QString& line : drivers.split(QLatin1Char('\n'))) {
        const QString model = line.section(QLatin1Char(' '), 0, 0);
        if (model.contains(QStringLiteral("cups-pdf/"), Qt::CaseInsensitive) &&
            model.endsWith(QStringLiteral(".ppd")))
            driver = model;
    }
    if (driver.isEmpty()) {
        m_error = QStringLiteral("lpinfo -m lists no CUPS-PDF driver");
        return false;
    }

    m_name = uniqueName();
    QString device = QStringLiteral("cups-pdf:/");
    if (backendConfined()) {
        // Shared with the user's other PDFs: only files written after a submission count.
        m_outputFolder = mainOutputFolder();
    } else {
        // A configuration of its own (the backend reads cups-pdf-NAME.conf for cups-pdf:/NAME)
        // gives the queue a folder no other job writes to.
        m_outputFolder = SpoolFolder + QLatin1Char('/') + m_name;
        if (!writeConfig())
            return false;
        device += m_name;
    }

    QString output;
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), m_name, QStringLiteral("-E"), QStringLiteral("-v"), device,
              QStringLiteral("-m"), driver},
             output, m_error))
        return false;
    m_queueCreated = true;

    // lpadmin -E both enables the queue and makes it accept jobs; make sure of both.
    QString state, accepting, uri;
    if (!run(QStringLiteral("lpstat"), {QStringLiteral("-p"), m_name}, state, m_error) ||
        !run(QStringLiteral("lpstat"), {QStringLiteral("-a"), m_name}, accepting, m_error) ||
        !run(QStringLiteral("lpstat"), {QStringLiteral("-v"), m_name}, uri, m_error))
        return false;
    if (!state.contains(QStringLiteral("enabled since")) ||
        !accepting.startsWith(m_name + QStringLiteral(" accepting requests")) ||
        uri.trimmed() != QStringLiteral("device for %1: %2").arg(m_name, device)) {
        m_error = QStringLiteral("queue %1 is not ready: %2 %3 %4").arg(m_name, state, accepting, uri);
        return false;
    }
    return true;
}

bool CupsPdfQueue::writeConfig() {
    if (!QDir().mkpath(m_outputFolder)) {
        m_error = QStringLiteral("cannot create %1").arg(m_outputFolder);
        return false;
    }
    m_ownFolder = true;
    m_configFile = BackendConfigFolder + QStringLiteral("/cups-pdf-") + m_name + QStringLiteral(".conf");
    QSaveFile config(m_configFile);
    if (!config.open(QIODevice::WriteOnly | QIODevice::Text)) {
        m_error = QStringLiteral("cannot write %1: %2").arg(m_configFile, config.errorString());
        return false;
    }
    // Anonymous jobs too, so that the folder does not depend on who submits.
    const QByteArray folder = m_outputFolder.toLocal8Bit();
    config.write("# Print queue of a test run; goes with the queue.\n");
    config.write("Out " + folder + "\nAnonDirName " + folder + "\nLog " + folder + "\n");
    if (!config.commit()) {
        m_error = QStringLiteral("cannot write %1: %2").arg(m_configFile, config.errorString());
        return false;
    }
    return true;
}

// The backend names its log after the queue.
QString CupsPdfQueue::logFile() const {
    return (m_ownFolder ? m_outputFolder : LogFolder) + QStringLiteral("/cups-pdf-") + m_name +
           QStringLiteral("_log");
}

QString CupsPdfQueue::completePdf(const QDateTime& submittedAfter, QString& previousState) const {
    QFileInfo newest;
    const QFileInfoList files =
        QDir(m_outputFolder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) {
        if (file.lastModified() >= submittedAfter && !m_returned.contains(file.absoluteFilePath())) {
            newest = file;
            break;
        }
    }
    if (!newest.exists())
        return {};
    // The converter writes under the final name: the file is done once it ends the PDF and stops
    // changing between two looks.
    const QString state = QStringLiteral("%1 %2 %3")
                              .arg(newest.absoluteFilePath())
                              .arg(newest.size())
                              .arg(newest.lastModified().toMSecsSinceEpoch());
    const bool stable = state == previousState;
    previousState = state;
    return stable && endsWithEof(newest.absoluteFilePath()) ? newest.absoluteFilePath() : QString();
}

QString CupsPdfQueue::waitForPdf(const QDateTime& submittedAfter, int timeoutMs) {
    if (!m_ready)
        return {};
    const QDeadlineTimer deadline(timeoutMs);
    QString previousState;
    while (!deadline.hasExpired()) {
        const QString path = completePdf(submittedAfter, previousState);
        if (!path.isEmpty()) {
            m_returned.insert(path);
            return path;
        }
        QThread::msleep(200);
    }
    QString jobs, ignored;
    run(QStringLiteral("lpstat"),
        {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-l"), QStringLiteral("-o"), m_name},
        jobs, ignored);
    m_error = QStringLiteral("no complete PDF in %1 within %2 ms\njobs of %3:\n%4\nCUPS-PDF log:\n%5")
                  .arg(m_outputFolder)
                  .arg(timeoutMs)
                  .arg(m_name, jobs, tail(logFile(), 20));
    return {};
}

std::optional<QStringList> CupsPdfQueue::jobs() {
    if (!m_ready)
        return std::nullopt;
    QString output;
    if (!run(QStringLiteral("lpstat"),
             {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), m_name}, output, m_error))
        return std::nullopt;
    return output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void CupsPdfQueue::tearDown() {
    QString output, error;
    if (m_queueCreated && !run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), m_name}, output, error))
        qWarning("CupsPdfQueue: %s", qPrintable(error));
    if (!m_configFile.isEmpty())
        QFile::remove(m_configFile);
    if (m_ownFolder) {
        QDir(m_outputFolder).removeRecursively();
    } else {
        for (const QString& path : std::as_const(m_returned))
            QFile::remove(path);
        if (m_queueCreated)
            QFile::remove(logFile());
    }
    if (m_scheduler && m_scheduler->state() != QProcess::NotRunning) {
        m_scheduler->terminate();
        if (!m_scheduler->waitForFinished(10000)) {
            m_scheduler->kill();
            m_scheduler->waitForFinished();
        }
    }
}

} // namespace statdesk::test
