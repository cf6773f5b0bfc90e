#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QProcess>
#include <QSet>
#include <QString>
#include <QTest>

#include <memory>
#include <optional>

// Skips the calling test where no print queue can be made. Under CI, which runs as root with the
// packages installed, it fails instead: a skip there means the set-up broke.
#define STATDESK_SKIP_WITHOUT_CUPS_PDF()                                                                     \
    do {                                                                                                     \
        if (!statdesk::test::CupsPdfQueue::canAdminister()) {                                                \
            const QByteArray reason = statdesk::test::CupsPdfQueue::cannotAdministerReason();                \
            QVERIFY2(!qEnvironmentVariableIsSet("CI"), reason.constData());                                  \
            QSKIP(reason.constData());                                                                       \
        }                                                                                                    \
    } while (false)

namespace statdesk::test {

// A throw-away print queue on the machine's real CUPS whose jobs come out as PDF files, for tests that
// print through the system's printing path. Starts the scheduler when none runs and stops it again at
// the end. The queue has a CUPS-PDF configuration of its own, so its PDFs land in a folder no other
// queue or user writes to; where AppArmor confines the backend to its main configuration, they land
// where that sends the current user's PDFs (outputFolder()). The PDFs go with the queue.
// Objects of this class in different processes take turns (a lock file): one of them may have started
// the scheduler the others would be using.
class CupsPdfQueue final {
  public:
    CupsPdfQueue();
    ~CupsPdfQueue();
    CupsPdfQueue(const CupsPdfQueue&) = delete;
    CupsPdfQueue& operator=(const CupsPdfQueue&) = delete;

    // Creating queues needs root and the CUPS and CUPS-PDF programs.
    static bool canAdminister();
    static QByteArray cannotAdministerReason();

    bool isReady() const { return m_ready; }
    QString errorString() const { return m_error; }
    QString name() const { return m_name; }
    QString outputFolder() const { return m_outputFolder; }

    // Path of a complete PDF written for a job submitted at or after submittedAfter and not returned
    // before; empty, with errorString() telling why, when none is complete within timeoutMs.
    QString waitForPdf(const QDateTime& submittedAfter, int timeoutMs);

    // The jobs CUPS holds for this queue, pending or done ("lpstat -W all -o"), one per line;
    // nothing, with errorString() telling why, when CUPS cannot be asked.
    std::optional<QStringList> jobs();

  private:
    bool setUp();
    bool ensureScheduler();
    bool createQueue();
    bool writeConfig();
    QString logFile() const;
    QString completePdf(const QDateTime& submittedAfter, QString& previousState) const;
    void tearDown();

    QLockFile m_lock;
    std::unique_ptr<QProcess> m_scheduler; // set only when this object started the scheduler
    QString m_name;
    QString m_configFile;
    QString m_outputFolder;
    QString m_error;
    QSet<QString> m_returned;
    bool m_ownFolder = false; // a folder only this queue writes to, removed with it
    bool m_queueCreated = false;
    bool m_ready = false;
};

} // namespace statdesk::test
