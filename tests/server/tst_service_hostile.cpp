#include "FixtureDatabase.h"
#include "ReplyLayout.h"
#include "ServiceProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <set>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace statdesk;
using Clock = std::chrono::steady_clock;

namespace {

// A blocking loopback connection whose reads and writes give up after 20 seconds; -1 on failure.
int connectTo(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const timeval limit{20, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool sendAll(int fd, const QByteArray& bytes) {
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t part =
            ::send(fd, bytes.constData() + sent, static_cast<size_t>(bytes.size() - sent), MSG_NOSIGNAL);
        if (part <= 0)
            return false;
        sent += part;
    }
    return true;
}

struct Reply {
    bool complete = false; // the service closed the connection after its reply
    int status = 0;
    QByteArray reason;
    QByteArray body;
};

// One exchange the way the client makes it: HTTP/1.0, the reply read until the service closes.
Reply exchange(quint16 port, const QByteArray& request) {
    Reply reply;
    const int fd = connectTo(port);
    if (fd < 0)
        return reply;
    // A refusal may come before the whole request is sent; it is read all the same.
    sendAll(fd, request);
    QByteArray received;
    char chunk[16 * 1024];
    ssize_t part = 0;
    while ((part = ::recv(fd, chunk, sizeof chunk, 0)) > 0)
        received.append(chunk, part);
    reply.complete = part == 0;
    ::close(fd);
    const QByteArray statusLine = received.left(received.indexOf("\r\n"));
    reply.status = statusLine.mid(9, 3).toInt();
    reply.reason = statusLine.mid(13);
    const qsizetype headEnd = received.indexOf("\r\n\r\n");
    reply.body = headEnd < 0 ? QByteArray() : received.mid(headEnd + 4);
    return reply;
}

QByteArray post(const QByteArray& path, const QByteArray& body) {
    return "POST " + path +
           " HTTP/1.0\r\nAccept: */*\r\nContent-Type: application/x-www-form-urlencoded\r\n"
           "User-Agent: Mozilla/3.0 (compatible)\r\nHost: 127.0.0.1\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QList<QByteArray> lines(const QByteArray& body) {
    QList<QByteArray> result = body.split('\n');
    if (!result.isEmpty() && result.back().isEmpty())
        result.pop_back();
    for (QByteArray& line : result) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return result;
}

// Resident memory of a process in KiB, from its status file.
qint64 residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

const QByteArray kPlayers = "/cgi-bin/getbplayer-1.exe";
const QByteArray kTeams = "/cgi-bin/getbteam-1.exe";

// A valid query, the check of its reply against the fixture's own rows, and the reply the quiet
// service gave (every later reply must be the same).
struct ValidQuery {
    QByteArray request;
    std::function<bool(const QList<QByteArray>&)> fitsFixture;
    QByteArray quietBody;
};

QList<ValidQuery> validQueries() {
    const std::vector<test::FixtureTable> tables = test::fixtureTables();
    const auto rowCount = [&tables](const char* name) {
        for (const test::FixtureTable& table : tables) {
            if (table.name == name)
                return QByteArray::number(qint64(table.rows.size()));
        }
        return QByteArray("?");
    };
    const QByteArray players = rowCount("players_regular");
    const QByteArray teams = rowCount("teams_regular");
    const qsizetype zaneRows =
        std::count_if(test::fixturePlayers().begin(), test::fixturePlayers().end(),
                      [](const test::FixturePlayer& p) { return p.name == "Zane Mo"; });
    std::set<QByteArray> bostonYears;
    for (const test::FixtureTeam& team : test::fixtureTeams()) {
        if (team.name == "Boston Celtics")
            bostonYears.insert(QByteArray::fromStdString(team.year));
    }
    return {
        {post(kPlayers, "0!20!300!\r\n*\r\n\x1a"),
         [players](const QList<QByteArray>& reply) {
             return reply.value(0) == players && reply.size() == 1 + 21 * kPlayerFieldCount;
         },
         {}},
        {post(kPlayers, "0!1!300!\r\nAZane Mo\r\n*\r\n\x1a"),
         [zaneRows](const QList<QByteArray>& reply) {
             return reply.value(0).toLongLong() == zaneRows && reply.contains("Zane Mo");
         },
         {}},
        {post(kTeams, "1!3!Z!0!1!2!300!\r\n*\r\n\x1a"),
         [teams](const QList<QByteArray>& reply) {
             return reply.value(0) == teams && reply.size() == 1 + 4 * kTeamFieldCount;
         },
         {}},
        {post(kTeams, "0!0!C!\r\nBBoston Celtics\r\n*\r\n\x1a"),
         [bostonYears](const QList<QByteArray>& reply) {
             const std::set<QByteArray> values(reply.begin() + std::min<qsizetype>(1, reply.size()),
                                               reply.end() - std::min<qsizetype>(1, reply.size()));
             return reply.value(0).toLongLong() == qint64(bostonYears.size()) &&
                    reply.value(reply.size() - 1) == "END" && values == bostonYears;
         },
         {}},
    };
}

// Refused requests and the reason the service must give for each.
struct Refusal {
    QByteArray request;
    int status;
    QByteArray reason;
};

QList<Refusal> refusals() {
    const auto page = [](const QByteArray& body) { return post(kPlayers, body); };
    return {
        {page("0!20!300!\r\n*\r\n"), 400, "Request does not end with byte 26"},
        {page("0!20!300!\r\nX1\r\n*\r\n\x1a"), 400, "Unknown criterion letter"},
        {page("0!20!300!\r\nE76!1!2!\r\n*\r\n\x1a"), 400, "Limit column out of range"},
        {page("0!20!300!\r\nA" + QByteArray(50, 'x') + "\r\n*\r\n\x1a"), 400,
         "Criterion line over 50 characters"},
        {page("0!x!300!\r\n*\r\n\x1a"), 400, "Bad page size"},
        {page("0!20!300!\r\n" + QByteArray("*\r\n").repeated(501) + "\x1a"), 413, "Over 500 criteria lines"},
        {page("0!20!300!\r\n*\r\n\x1a\x1a"), 400, "Control byte inside the request"},
        {"HELLO\r\n\r\n", 400, "Malformed HTTP request"},
        {"GET / HTTP/1.0\r\nX-Filler: " + QByteArray(20000, 'a'), 431, "Request head over 16 KiB"},
    };
}

QList<Refusal> oversized() {
    const QByteArray body = "0!20!300!\r\n" + QByteArray(70000, '*') + "\x1a";
    const QByteArray claimed = "POST " + kPlayers + " HTTP/1.0\r\nContent-Length: 1073741824\r\n\r\n0!20!";
    return {{post(kPlayers, body), 413, "Request body over 64 KiB"},
            {claimed, 413, "Request body over 64 KiB"}};
}

struct Tally {
    std::atomic<long> sent{0};
    std::atomic<long> right{0};
    std::mutex mutex;
    QStringList wrong; // the first few, for the failure message
    void record(bool ok, const QString& what) {
        ++sent;
        if (ok) {
            ++right;
            return;
        }
        const std::lock_guard lock(mutex);
        if (wrong.size() < 5)
            wrong.append(what);
    }
};

// Refused requests, again and again, each checked for its status and reason.
void refuseInALoop(quint16 port, const QList<Refusal>& requests, const std::atomic<bool>& stop,
                   Tally& tally) {
    for (long i = 0; !stop; ++i) {
        const Refusal& r = requests[i % requests.size()];
        const Reply reply = exchange(port, r.request);
        tally.record(
            reply.status == r.status && reply.reason == r.reason,
            QString::fromLatin1(r.reason + " -> " + QByteArray::number(reply.status) + " " + reply.reason));
    }
}

// Connections the attacker keeps open; one that the service closes is opened again.
class SocketHerd {
  public:
    SocketHerd(quint16 port, int size) : m_port(port) {
        for (int i = 0; i < size; ++i)
            open();
    }
    ~SocketHerd() {
        for (const pollfd& p : m_sockets)
            ::close(p.fd);
    }
    // Waits a while for closes by the service and replaces those connections; their number.
    int replaceClosed(int waitMs) {
        if (::poll(m_sockets.data(), m_sockets.size(), waitMs) <= 0)
            return 0;
        int replaced = 0;
        for (pollfd& p : m_sockets) {
            if (p.revents == 0)
                continue;
            char reply[4096];
            const ssize_t part = ::recv(p.fd, reply, sizeof reply, MSG_DONTWAIT);
            if (part > 0) {
                // The service's answer to a request that took too long; the close follows.
                if (QByteArray(reply, part).startsWith("HTTP/1.1 408 Request timed out\r\n"))
                    ++m_timedOut;
                continue;
            }
            ::close(p.fd);
            p.fd = connectTo(m_port);
            m_bytesSent[&p - m_sockets.data()] = 0;
            ++m_opened;
            ++replaced;
        }
        return replaced;
    }
    // Sends the next byte of request on every connection.
    void drip(const QByteArray& request) {
        for (size_t i = 0; i < m_sockets.size(); ++i) {
            const qsizetype at = m_bytesSent[i] % request.size();
            if (m_sockets[i].fd >= 0 &&
                ::send(m_sockets[i].fd, request.constData() + at, 1, MSG_NOSIGNAL | MSG_DONTWAIT) == 1)
                ++m_bytesSent[i];
        }
    }
    long opened() const { return m_opened; }
    long timedOut() const { return m_timedOut; }

  private:
    void open() {
        m_sockets.push_back(pollfd{connectTo(m_port), POLLIN, 0});
        m_bytesSent.push_back(0);
        ++m_opened;
    }

    quint16 m_port;
    std::vector<pollfd> m_sockets;
    std::vector<qint64> m_bytesSent;
    long m_opened = 0;
    long m_timedOut = 0;
};

// Silent connections, drippers, oversized bodies and malformed criteria, from their own threads
// for as long as the object lives.
class Attack {
  public:
    static constexpr int kSilent = 300;
    static constexpr int kDrippers = 100;

    explicit Attack(quint16 port) {
        m_threads.emplace_back([this, port] {
            SocketHerd herd(port, kSilent);
            while (!m_stop)
                silentClosedByService += herd.replaceClosed(200);
            silentOpened = herd.opened();
        });
        m_threads.emplace_back([this, port] {
            SocketHerd herd(port, kDrippers);
            const QByteArray request = post(kPlayers, "0!20!300!\r\n*\r\n\x1a");
            while (!m_stop) {
                herd.drip(request);
                herd.replaceClosed(1000); // one byte a second
            }
            drippersOpened = herd.opened();
            drippersTimedOut = herd.timedOut();
        });
        for (int i = 0; i < 2; ++i)
            m_threads.emplace_back([this, port] { refuseInALoop(port, refusals(), m_stop, malformed); });
        m_threads.emplace_back([this, port] { refuseInALoop(port, oversized(), m_stop, oversize); });
    }
    ~Attack() { stop(); }
    Attack(const Attack&) = delete;
    Attack& operator=(const Attack&) = delete;

    void stop() {
        m_stop = true;
        for (std::thread& t : m_threads) {
            if (t.joinable())
                t.join();
        }
    }

    std::atomic<long> silentOpened{0};
    std::atomic<long> silentClosedByService{0};
    std::atomic<long> drippersOpened{0};
    std::atomic<long> drippersTimedOut{0};
    Tally malformed;
    Tally oversize;

  private:
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

} // namespace

class ServiceHostileTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void keptAliveConnectionAnswersEachRequest();
    void validQueriesSurviveAnAttack();

  private:
    QTemporaryDir m_folder;
    std::unique_ptr<test::ServiceProcess> m_service;
};

void ServiceHostileTest::initTestCase() {
    QVERIFY(m_folder.isValid());
    const QString database = m_folder.filePath("fixture.db");
    test::writeFixtureDatabase(database);
    m_service = std::make_unique<test::ServiceProcess>(database);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

// An HTTP/1.1 connection goes back to waiting after each answer: requests that came in one piece
// and a request sent after the first answer are each answered, the last with the close it asked for.
void ServiceHostileTest::keptAliveConnectionAnswersEachRequest() {
    const QByteArray body = "0!1!300!\r\nAZane Mo\r\n*\r\n\x1a";
    const auto request = [&body](const QByteArray& extraHeader) -> QByteArray {
        return "POST " + kPlayers + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + extraHeader +
               "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
    };
    const Reply alone = exchange(m_service->port(), post(kPlayers, body));
    QCOMPARE(alone.status, 200);

    const int fd = connectTo(m_service->port());
    QVERIFY(fd >= 0);
    QVERIFY(sendAll(fd, request({}) + request({})));
    QByteArray received;
    char chunk[4096];
    // Both answers of the first piece, then the last request once they are in.
    while (received.count(alone.body) < 2) {
        const ssize_t part = ::recv(fd, chunk, sizeof chunk, 0);
        if (part <= 0)
            break;
        received.append(chunk, part);
    }
    QCOMPARE(received.count(alone.body), 2);
    QVERIFY(sendAll(fd, request("Connection: close\r\n")));
    ssize_t part = 0;
    while ((part = ::recv(fd, chunk, sizeof chunk, 0)) > 0)
        received.append(chunk, part);
    ::close(fd);
    QCOMPARE(part, ssize_t(0)); // closed by the service, not timed out here
    QCOMPARE(received.count("HTTP/1.1 200 OK\r\n"), 3);
    QCOMPARE(received.count(alone.body), 3);
    QVERIFY(received.endsWith(alone.body));
}

void ServiceHostileTest::validQueriesSurviveAnAttack() {
    constexpr int kValidClients = 64;
    constexpr auto kAttack = std::chrono::seconds(20);
    // A reply held up by an attacker's connection waits out the service's read timeout of 10 s or
    // more; a correct reply takes milliseconds, and a loaded machine or the sanitizers slow it by
    // far less than that.
    constexpr auto kLatencyLimit = std::chrono::seconds(10);
    const quint16 port = m_service->port();

    // The quiet service's replies, each checked against the fixture rows.
    QList<ValidQuery> queries = validQueries();
    for (ValidQuery& query : queries) {
        const Reply reply = exchange(port, query.request);
        QCOMPARE(reply.status, 200);
        QVERIFY2(query.fitsFixture(lines(reply.body)), reply.body.left(200).constData());
        query.quietBody = reply.body;
    }

    // Valid clients: every reply must be the quiet one, and come in time.
    std::atomic<bool> stopValid{false};
    Tally valid;
    std::mutex latencyMutex;
    std::vector<double> latencies;
    const auto validClient = [&](int client) {
        std::vector<double> mine;
        for (long i = client; !stopValid; ++i) {
            const ValidQuery& query = queries[i % queries.size()];
            const Clock::time_point start = Clock::now();
            const Reply reply = exchange(port, query.request);
            const auto took = Clock::now() - start;
            mine.push_back(std::chrono::duration<double, std::milli>(took).count());
            valid.record(reply.complete && reply.status == 200 && reply.body == query.quietBody &&
                             took < kLatencyLimit,
                         QStringLiteral("status %1 after %2 ms").arg(reply.status).arg(mine.back()));
        }
        const std::lock_guard lock(latencyMutex);
        latencies.insert(latencies.end(), mine.begin(), mine.end());
    };
    const auto runValidClients = [&](std::chrono::seconds length) {
        stopValid = false;
        std::vector<std::thread> clients;
        for (int c = 0; c < kValidClients; ++c)
            clients.emplace_back(validClient, c);
        std::this_thread::sleep_for(length); // the load runs for this long
        stopValid = true;
        for (std::thread& t : clients)
            t.join();
    };

    // Warm-up: the same mix for a while, so that every worker, the result cache and the allocator's
    // arenas have seen it before memory is measured.
    {
        Attack warm(port);
        runValidClients(std::chrono::seconds(5));
        warm.stop();
        QVERIFY2(valid.right == valid.sent, qPrintable(valid.wrong.join("; ")));
        QVERIFY2(warm.malformed.right == warm.malformed.sent, qPrintable(warm.malformed.wrong.join("; ")));
        QVERIFY2(warm.oversize.right == warm.oversize.sent, qPrintable(warm.oversize.wrong.join("; ")));
    }
    const qint64 rssBefore = residentKiB(m_service->processId());
    QVERIFY(rssBefore > 0);
    valid.sent = 0;
    valid.right = 0;
    latencies.clear();

    Attack attack(port);
    std::this_thread::sleep_for(std::chrono::seconds(1)); // the herds are in place
    runValidClients(kAttack);
    attack.stop();

    QVERIFY2(m_service->isRunning(), qPrintable(m_service->output()));
    std::sort(latencies.begin(), latencies.end());
    const auto percentile = [&latencies](double p) {
        return latencies.empty() ? 0.0
                                 : latencies[std::min(latencies.size() - 1, size_t(p * latencies.size()))];
    };
    qInfo("attack: %ld silent and %ld dripping connections (%ld told 408), %ld malformed and %ld oversized "
          "requests refused",
          attack.silentOpened.load(), attack.drippersOpened.load(), attack.drippersTimedOut.load(),
          attack.malformed.sent.load(), attack.oversize.sent.load());
    qInfo("valid queries from %d clients under attack: %ld of %ld answered correctly, latency p50 %.1f ms, "
          "p99 %.1f ms, max %.1f ms",
          kValidClients, valid.right.load(), valid.sent.load(), percentile(0.5), percentile(0.99),
          latencies.empty() ? 0.0 : latencies.back());
    QVERIFY2(valid.sent > 0 && valid.right == valid.sent, qPrintable(valid.wrong.join("; ")));
    QVERIFY2(attack.malformed.sent > 0 && attack.malformed.right == attack.malformed.sent,
             qPrintable(attack.malformed.wrong.join("; ")));
    QVERIFY2(attack.oversize.sent > 0 && attack.oversize.right == attack.oversize.sent,
             qPrintable(attack.oversize.wrong.join("; ")));
    // The service ends silent connections itself, so they come back during a 20-second attack.
    QVERIFY(attack.silentClosedByService >= Attack::kSilent);
    // A dripper is told that its request took too long.
    QVERIFY2(attack.drippersTimedOut >= Attack::kDrippers,
             qPrintable(QString::number(attack.drippersTimedOut)));

    // Memory: after the attack, with every attacking connection gone and a normal load again.
    runValidClients(std::chrono::seconds(2));
    QVERIFY2(valid.right == valid.sent, qPrintable(valid.wrong.join("; ")));
    const qint64 rssAfter = residentKiB(m_service->processId());
    qInfo("service resident memory: %lld KiB before, %lld KiB after (%+.1f %%)", rssBefore, rssAfter,
          100.0 * double(rssAfter - rssBefore) / double(rssBefore));
#ifdef __SANITIZE_ADDRESS__
    QSKIP("the address sanitizer holds freed memory back; its own leak check covers this build");
#endif
    QVERIFY2(rssAfter <= rssBefore + rssBefore / 20,
             qPrintable(QString::number(rssAfter - rssBefore) + " KiB more"));
}

QTEST_GUILESS_MAIN(ServiceHostileTest)
#include "tst_service_hostile.moc"
