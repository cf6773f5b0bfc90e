#include "FixtureDatabase.h"
#include "ServiceProcess.h"

#include <QFile>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

using namespace statdesk;

namespace {

struct Reply {
    int status = 0;
    QByteArray body;
};

// One HTTP/1.1 answer from a connection that stays open: the head, then Content-Length bytes.
Reply readReply(QTcpSocket& socket) {
    QByteArray received;
    QDeadlineTimer deadline(10000);
    qsizetype headEnd = -1;
    while ((headEnd = received.indexOf("\r\n\r\n")) < 0 && !deadline.hasExpired()) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(200) && socket.state() != QTcpSocket::ConnectedState)
            return {};
        received += socket.readAll();
    }
    if (headEnd < 0)
        return {};
    const QByteArray head = received.left(headEnd);
    static const QRegularExpression lengthField(QStringLiteral("\r\nContent-Length: *(\\d+)"),
                                                QRegularExpression::CaseInsensitiveOption);
    const qsizetype length = lengthField.match(QString::fromLatin1(head)).captured(1).toLongLong();
    QByteArray body = received.mid(headEnd + 4);
    while (body.size() < length && !deadline.hasExpired()) {
        if (!socket.bytesAvailable() && !socket.waitForReadyRead(200) && socket.state() != QTcpSocket::ConnectedState)
            break;
        body += socket.readAll();
    }
    return {head.mid(9, 3).toInt(), body};
}

QByteArray get(const QByteArray& path) {
    return "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
}

bool writeSettings(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

} // namespace

// SIGHUP makes the service read its site settings file again, while its connections stay open.
class TestServiceReload : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void hangUpReadsTheSettingsAgain();
    void settingsWithAMistakeKeepTheOldOnes();
    void withoutSettingsFileTheBuiltInOnesStay();

  private:
    Reply ask(const QByteArray& path);
    bool hangUpAndWaitFor(test::ServiceProcess& service, const QString& message);

    QTemporaryDir m_folder;
    QString m_database;
    QString m_settings;
    std::unique_ptr<test::ServiceProcess> m_service;
};

void TestServiceReload::initTestCase() {
    QVERIFY(m_folder.isValid());
    m_database = m_folder.filePath(QStringLiteral("fixture.db"));
    test::writeFixtureDatabase(m_database);
    m_settings = m_folder.filePath(QStringLiteral("site.conf"));
    QVERIFY(writeSettings(m_settings, "version 2 www.one.example 200\nnotice Old notice\n"
                                      "page /old.html Old page | Soon gone.\n"));
    m_service = std::make_unique<test::ServiceProcess>(m_database, QStringList{QStringLiteral("--config"), m_settings});
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

Reply TestServiceReload::ask(const QByteArray& path) {
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), m_service->port());
    if (!socket.waitForConnected(5000))
        return {};
    socket.write(get(path));
    return readReply(socket);
}

// The service says on standard error when it has acted on the signal.
bool TestServiceReload::hangUpAndWaitFor(test::ServiceProcess& service, const QString& message) {
    const qsizetype before = service.output().size();
    if (::kill(static_cast<pid_t>(service.processId()), SIGHUP) != 0)
        return false;
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QTest::qWait(50);
        if (service.output().mid(before).contains(message))
            return true;
    }
    qWarning("service output: %s", qPrintable(service.output()));
    return false;
}

void TestServiceReload::hangUpReadsTheSettingsAgain() {
    // A kept-alive connection that has been answered, and one whose request is half sent.
    QTcpSocket kept;
    kept.connectToHost(QStringLiteral("127.0.0.1"), m_service->port());
    QVERIFY(kept.waitForConnected(5000));
    kept.write(get("/cgi-bin/verread.exe"));
    QCOMPARE(readReply(kept).body, QByteArray("2\r\nwww.one.example\r\n200\r\n"));
    QTcpSocket halfway;
    halfway.connectToHost(QStringLiteral("127.0.0.1"), m_service->port());
    QVERIFY(halfway.waitForConnected(5000));
    halfway.write("GET /basketballout.txt HTTP/1.1\r\nHo");
    QVERIFY(halfway.waitForBytesWritten(5000));

    QVERIFY(writeSettings(m_settings, "version 2 www.one.example 201\nnotice New notice\n"
                                      "page /new.html New page | Just here.\n"));
    QVERIFY(hangUpAndWaitFor(*m_service, QStringLiteral("site settings read again from ") + m_settings));

    kept.write(get("/cgi-bin/verread.exe"));
    const Reply again = readReply(kept);
    QCOMPARE(again.status, 200);
    QCOMPARE(again.body, QByteArray("2\r\nwww.one.example\r\n201\r\n"));
    halfway.write("st: 127.0.0.1\r\n\r\n");
    QCOMPARE(readReply(halfway).body, QByteArray("New notice\r\n"));

    const Reply added = ask("/new.html");
    QCOMPARE(added.status, 200);
    QVERIFY2(added.body.contains("<h1>New page</h1>") && added.body.contains("<p>Just here.</p>"), added.body);
    const Reply removed = ask("/old.html");
    QCOMPARE(removed.status, 404);
    QCOMPARE(removed.body, QByteArray("Unknown path\r\n"));
    QVERIFY(m_service->isRunning());
}

void TestServiceReload::settingsWithAMistakeKeepTheOldOnes() {
    QVERIFY(writeSettings(m_settings, "version 2 www.one.example 202\nnotice Never shown\n"));
    QVERIFY(hangUpAndWaitFor(*m_service, QStringLiteral("site settings read again")));
    QCOMPARE(ask("/basketballout.txt").body, QByteArray("Never shown\r\n"));

    QVERIFY(writeSettings(m_settings, "version 2 www.one.example 203\nbogus line\n"));
    QVERIFY(hangUpAndWaitFor(*m_service, QStringLiteral("SIGHUP: %1:2: unknown setting \"bogus\"; the settings in use stay")
                                             .arg(m_settings)));
    QCOMPARE(ask("/cgi-bin/verread.exe").body, QByteArray("2\r\nwww.one.example\r\n202\r\n"));

    QVERIFY(QFile::remove(m_settings));
    QVERIFY(hangUpAndWaitFor(*m_service, QStringLiteral("SIGHUP: cannot read configuration file %1; the settings in use stay")
                                             .arg(m_settings)));
    QCOMPARE(ask("/cgi-bin/verread.exe").body, QByteArray("2\r\nwww.one.example\r\n202\r\n"));
    QVERIFY(m_service->isRunning());
}

void TestServiceReload::withoutSettingsFileTheBuiltInOnesStay() {
    test::ServiceProcess builtIn(m_database);
    QVERIFY2(builtIn.isRunning(), qPrintable(builtIn.errorString()));
    QVERIFY(hangUpAndWaitFor(builtIn, QStringLiteral("no settings file (--config), the built-in settings stay")));
    QVERIFY(builtIn.isRunning());
}

QTEST_GUILESS_MAIN(TestServiceReload)
#include "tst_service_reload.moc"
