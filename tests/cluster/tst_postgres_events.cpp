#include "ChildServerProcess.h"
#include "ClusterExchange.h"
#include "FixtureDatabase.h"
#include "PostgresServer.h"
#include "ServiceProcess.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

using namespace statdesk;

namespace {

constexpr int kEvents = 5;

// A port where nothing listens: the database is out of reach and every event goes to the spool.
QString unreachableDatabase() {
    return QStringLiteral("postgresql://postgres@127.0.0.1:%1/postgres").arg(test::ChildServerProcess::freePort());
}

QByteArray eventLine(int n) {
    return "TOOLCLICK,http://links.example/page?id=" + QByteArray::number(n) + "&x=1,http://brand.example/,0";
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PostgresEventsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void damagedSpoolLoadsItsWholeRecords_data();
    void damagedSpoolLoadsItsWholeRecords();
    void retriedEventIsStoredOnce_data();
    void retriedEventIsStoredOnce();
    void stopStoresTheEventsItAnswered_data();
    void stopStoresTheEventsItAnswered();

  private:
    QTemporaryDir m_folder;
    QString m_database;
    test::PostgresServer m_postgres;
};

void PostgresEventsTest::initTestCase() {
    QVERIFY(m_folder.isValid());
    m_database = m_folder.filePath("fixture.db");
    test::writeFixtureDatabase(m_database);
    QString error;
    QVERIFY2(m_postgres.create(error), qPrintable(error));
}

void PostgresEventsTest::damagedSpoolLoadsItsWholeRecords_data() {
    QTest::addColumn<int>("damagedRecord"); // from 0
    QTest::addColumn<bool>("cut");          // cut inside the record, or one byte of it changed
    QTest::newRow("cut in the last record") << kEvents - 1 << true;
    QTest::newRow("byte changed in the third record") << 2 << false;
    QTest::newRow("cut in the first record") << 0 << true;
}

// Events spooled while the database was away; the spool is damaged as a crash or a bad disk would,
// and the next start stores the records before the damage, says so and keeps the rest aside.
void PostgresEventsTest::damagedSpoolLoadsItsWholeRecords() {
    QFETCH(int, damagedRecord);
    QFETCH(bool, cut);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString spool = folder.filePath("replica.spool");
    {
        test::ServiceProcess service(m_database, {"--events", unreachableDatabase(), "--spool", spool});
        QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
        for (int n = 0; n < kEvents; ++n) {
            const auto reply = test::exchangeOnce(service.port(), test::getRequest("/999addlog.asp?Q=" + eventLine(n)));
            QCOMPARE(reply.body, QByteArray("OK\r\n"));
        }
        QVERIFY(service.kill());
    }
    QByteArray bytes = readFile(spool);
    QCOMPARE(bytes.count('\n'), kEvents);
    QVERIFY(bytes.contains(eventLine(0)));

    // Record n starts after the n-th line end.
    qsizetype recordStart = 0;
    for (int n = 0; n < damagedRecord; ++n)
        recordStart = bytes.indexOf('\n', recordStart) + 1;
    const qsizetype recordEnd = bytes.indexOf('\n', recordStart) + 1;
    const qsizetype middle = recordStart + (recordEnd - recordStart) / 2;
    if (cut)
        bytes.truncate(middle);
    else
        bytes[middle] = bytes[middle] == 'x' ? 'y' : 'x';
    const QByteArray rest = bytes.mid(recordStart);
    {
        QFile file(spool);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QString error;
    m_postgres.column("DROP TABLE IF EXISTS usage_events", error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    test::ServiceProcess service(m_database, {"--events", m_postgres.uri(), "--spool", spool});
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    // An event after the start goes in after the spooled ones.
    const QByteArray after = eventLine(kEvents);
    QCOMPARE(test::exchangeOnce(service.port(), test::getRequest("/999addlog.asp?Q=" + after)).body,
             QByteArray("OK\r\n"));
    QList<QByteArray> expected;
    for (int n = 0; n < damagedRecord; ++n)
        expected.append(eventLine(n));
    expected.append(after);
    QCOMPARE(m_postgres.column("SELECT line FROM usage_events ORDER BY received_at", error), expected);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    const QString message = service.output();
    const QRegularExpression said(QStringLiteral("event spool .*replica\\.spool is damaged after (\\d+) whole "
                                                 "records .*; the remaining (\\d+) bytes are kept in (\\S+)"));
    const auto match = said.match(message);
    QVERIFY2(match.hasMatch(), qPrintable(message));
    QCOMPARE(match.captured(1).toInt(), damagedRecord);
    QCOMPARE(match.captured(2).toLongLong(), rest.size());
    QCOMPARE(readFile(match.captured(3)), rest);
    QCOMPARE(QDir(folder.path()).entryList({"replica.spool.damaged-*"}).size(), 1);
}

void PostgresEventsTest::retriedEventIsStoredOnce_data() {
    QTest::addColumn<QByteArray>("firstId");  // X-Request-ID of the first attempt; empty: none
    QTest::addColumn<QByteArray>("secondId"); // and of the second
    QTest::addColumn<int>("rows");
    QTest::newRow("the load balancer retries it") << QByteArray("lb1:77:1734000000123:42:10.0.0.9:51234")
                                                  << QByteArray("lb1:77:1734000000123:42:10.0.0.9:51234") << 1;
    QTest::newRow("two requests of the same line") << QByteArray("lb1:77:1:1:a") << QByteArray("lb1:77:1:2:a") << 2;
    QTest::newRow("without a load balancer") << QByteArray() << QByteArray() << 2;
    QTest::newRow("an identity with a control byte") << QByteArray("lb1\x01") << QByteArray("lb1\x01") << 2;
}

// A replica that stored an event and died before answering gets the request again on another
// replica, with the same identity: the event is stored once. Only the same identity does that.
void PostgresEventsTest::retriedEventIsStoredOnce() {
    QFETCH(QByteArray, firstId);
    QFETCH(QByteArray, secondId);
    QString error;
    m_postgres.column("DROP TABLE IF EXISTS usage_events", error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QStringList database = {"--events", m_postgres.uri(), "--spool", folder.filePath("spool")};
    test::ServiceProcess first(m_database, database + QStringList{"--replica", "one"});
    test::ServiceProcess second(m_database, database + QStringList{"--replica", "two"});
    QVERIFY2(first.isRunning() && second.isRunning(), qPrintable(first.errorString() + second.errorString()));
    const QByteArray line = eventLine(1);
    for (const auto& [service, id] : {std::pair{&first, firstId}, std::pair{&second, secondId}}) {
        const QByteArray head = id.isEmpty() ? QByteArray() : "X-Request-ID: " + id + "\r\n";
        const QByteArray request = "GET /999addlog.asp?Q=" + line + " HTTP/1.0\r\nHost: 127.0.0.1\r\n" + head + "\r\n";
        QCOMPARE(test::exchangeOnce(service->port(), request).body, QByteArray("OK\r\n"));
    }
    const QList<QByteArray> stored = m_postgres.column("SELECT line FROM usage_events", error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTEST(int(stored.size()), "rows");
    QCOMPARE(QSet<QByteArray>(stored.begin(), stored.end()), QSet<QByteArray>{line});
}

void PostgresEventsTest::stopStoresTheEventsItAnswered_data() {
    QTest::addColumn<bool>("reachable");
    QTest::newRow("database reachable") << true;
    QTest::newRow("database out of reach") << false;
}

// SIGTERM while clients keep sending events: the service ends by itself with exit code 0, and every
// event it answered is in the database, or in the spool when the database is out of reach.
void PostgresEventsTest::stopStoresTheEventsItAnswered() {
    QFETCH(bool, reachable);
    QString error;
    m_postgres.column("DROP TABLE IF EXISTS usage_events", error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString spool = folder.filePath("spool");
    test::ServiceProcess service(m_database, {"--events", reachable ? m_postgres.uri() : unreachableDatabase(),
                                              "--spool", spool});
    QVERIFY2(service.isRunning(), qPrintable(service.errorString()));
    std::atomic<bool> sending{true};
    std::mutex mutex;
    QList<QByteArray> answered;
    std::vector<std::thread> clients;
    for (int client = 0; client < 8; ++client) {
        clients.emplace_back([&, client] {
            for (int n = 0; sending; ++n) {
                const QByteArray line = eventLine(client * 100000 + n);
                if (test::exchangeOnce(service.port(), test::getRequest("/999addlog.asp?Q=" + line)).body ==
                    "OK\r\n") {
                    const std::lock_guard lock(mutex);
                    answered.append(line);
                }
            }
        });
    }
    QThread::msleep(500);
    const int exitCode = service.terminate();
    sending = false;
    for (std::thread& client : clients)
        client.join();
    QCOMPARE(exitCode, 0);
    QVERIFY(!answered.isEmpty());

    QList<QByteArray> stored;
    if (reachable) {
        stored = m_postgres.column("SELECT line FROM usage_events", error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
    } else {
        // The spool's records are lines of tab-separated fields; the event line is the fifth.
        for (const QByteArray& record : readFile(spool).split('\n')) {
            if (!record.isEmpty())
                stored.append(record.split('\t').value(4));
        }
    }
    std::sort(answered.begin(), answered.end());
    std::sort(stored.begin(), stored.end());
    QCOMPARE(stored, answered);
}

QTEST_GUILESS_MAIN(PostgresEventsTest)
#include "tst_postgres_events.moc"
