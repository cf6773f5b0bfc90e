#include "ClusterExchange.h"
#include "FixtureDatabase.h"
#include "LocalCluster.h"

#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <thread>

using namespace statdesk;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kClients = 64;
constexpr auto kRunLength = std::chrono::seconds(20);
constexpr auto kKillAt = std::chrono::seconds(5);
constexpr auto kRestartAt = std::chrono::seconds(12);
constexpr int kVictim = 1;

struct Query {
    QByteArray request;
    test::StatusAndBody direct;
};

// Page and list queries of all four datasets, with criteria and sort orders.
QList<QByteArray> queryRequests() {
    const QByteArray players = "/cgi-bin/getbplayer-1.exe";
    const QByteArray playoffs = "/cgi-bin/getbplayer2-1.exe";
    const QByteArray teams = "/cgi-bin/getbteam-1.exe";
    const QByteArray teamPlayoffs = "/cgi-bin/getbteam2-1.exe";
    return {
        test::postRequest(players, "0!20!300!\r\n*\r\n\x1a"),
        test::postRequest(players, "3!5!28!\r\n*\r\n\x1a"),
        test::postRequest(players, "0!10!129!\r\nE28!10!40!\r\n*\r\n\x1a"),
        test::postRequest(players, "0!0!A!\r\n*\r\n\x1a"),
        test::postRequest(players, "0!0!D!\r\n*\r\n\x1a"),
        test::postRequest(playoffs, "0!5!B!1!128!\r\n*\r\n\x1a"),
        test::postRequest(playoffs, "0!0!C!\r\n*\r\n\x1a"),
        test::postRequest(teams, "0!3!Z!0!1!2!300!\r\n*\r\n\x1a"),
        test::postRequest(teams, "0!0!C!\r\nBBoston Celtics\r\n*\r\n\x1a"),
        test::postRequest(teams, "1!2!3!\r\n*\r\n\x1a"),
        test::postRequest(teamPlayoffs, "0!0!60!\r\n*\r\n\x1a"),
        test::postRequest(teamPlayoffs, "0!0!E!\r\n*\r\n\x1a"),
    };
}

} // namespace

class ReplicaKilledTest : public QObject {
    Q_OBJECT

  private slots:
    void everyQueryIsAnsweredWhileAReplicaDiesAndReturns();
};

// 64 clients query through HAProxy for 20 seconds; one replica is killed at 5 s and started again
// at 12 s. Each reply must equal the direct answer of a healthy replica.
void ReplicaKilledTest::everyQueryIsAnsweredWhileAReplicaDiesAndReturns() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString database = folder.filePath("fixture.db");
    test::writeFixtureDatabase(database);
    test::LocalCluster cluster;
    QString error;
    QVERIFY2(cluster.start(database, error), qPrintable(error));

    QList<Query> queries;
    for (const QByteArray& request : queryRequests()) {
        const test::StatusAndBody direct = test::exchangeOnce(cluster.replicaPort(0), request);
        QCOMPARE(direct.statusLine, QByteArray("HTTP/1.1 200 OK"));
        QVERIFY(!direct.body.isEmpty());
        queries.append({request, direct});
    }

    std::atomic<bool> running{true};
    std::atomic<long> answered{0};
    std::mutex mutex;
    QList<QByteArray> faults;
    std::vector<std::thread> clients;
    for (int client = 0; client < kClients; ++client) {
        clients.emplace_back([&, client] {
            std::mt19937 random(static_cast<unsigned>(client) + 1);
            std::uniform_int_distribution<qsizetype> pick(0, queries.size() - 1);
            while (running) {
                const Query& query = queries[pick(random)];
                const test::StatusAndBody reply = test::exchangeOnce(cluster.frontPort(), query.request);
                if (reply == query.direct) {
                    ++answered;
                    continue;
                }
                const std::lock_guard lock(mutex);
                faults.append(query.request.left(query.request.indexOf("\r\n")) + " -> \"" + reply.statusLine +
                              "\", " + QByteArray::number(reply.body.size()) + " body bytes");
            }
        });
    }

    const auto start = Clock::now();
    std::this_thread::sleep_until(start + kKillAt);
    const bool killed = cluster.killReplica(kVictim);
    const long answeredAtKill = answered;
    std::this_thread::sleep_until(start + kRestartAt);
    const bool restarted = cluster.startReplica(kVictim, error);
    const bool backUp = restarted && cluster.waitUntil(kVictim, true, 5000);
    const qint64 sessionsWhenBack = cluster.stats(kVictim).sessions;
    std::this_thread::sleep_until(start + kRunLength);
    running = false;
    for (std::thread& client : clients)
        client.join();
    const qint64 sessionsAtEnd = cluster.stats(kVictim).sessions;

    QVERIFY2(killed, "the replica did not die by SIGKILL");
    QVERIFY2(restarted, qPrintable(error));
    QVERIFY2(backUp, "HAProxy did not take the returned replica back in");
    qInfo("%ld queries answered, %ld of them before the kill; the returned replica took %lld requests",
          answered.load(), answeredAtKill, sessionsAtEnd - sessionsWhenBack);
    QVERIFY2(answeredAtKill > 0 && answered > answeredAtKill, "the clients did not keep querying");
    QVERIFY2(faults.isEmpty(), qPrintable(QString::number(faults.size()) + " replies differ, first: " +
                                           QString::fromLatin1(faults.value(0))));
    QVERIFY2(sessionsAtEnd > sessionsWhenBack, "the returned replica received no requests");
}

QTEST_GUILESS_MAIN(ReplicaKilledTest)
#include "tst_replica_killed.moc"
