// The banners the build drew, served by the built service: the bytes of each file, the page of the
// same subject, and the refusals without or with a bad banner folder.
#include "FixtureDatabase.h"
#include "RawExchange.h"
#include "ServiceProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace statdesk;

namespace {

struct Reply {
    int status = 0;
    QByteArray reason;
    QByteArray contentType;
    QByteArray body;
};

// One HTTP/1.0 GET as the client makes it, the body read until the server closes.
Reply get(quint16 port, const QByteArray& target) {
    const QByteArray received =
        test::exchangeRaw(QStringLiteral("127.0.0.1"), port,
                          "GET " + target + " HTTP/1.0\r\nAccept: */*\r\nHost: 127.0.0.1\r\n\r\n");
    const qsizetype headEnd = received.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return {};
    Reply reply;
    const QList<QByteArray> head = received.left(headEnd).split('\n');
    reply.status = head.value(0).mid(9, 3).toInt();
    reply.reason = head.value(0).mid(13).trimmed();
    for (const QByteArray& line : head) {
        if (line.toLower().startsWith("content-type:"))
            reply.contentType = line.mid(13).trimmed();
    }
    reply.body = received.mid(headEnd + 4);
    return reply;
}

struct Banner {
    QString file, title;
};

QString builtBanners() {
    return qEnvironmentVariable("STATDESK_BUILD_DIR") + QStringLiteral("/data/banners");
}

// The index as statdesk-banners writes it: file, subject, title, text, tab-separated.
QList<Banner> readIndex(const QString& folder) {
    QFile file(folder + QStringLiteral("/banners.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Banner> banners;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
        if (!line.startsWith('#'))
            banners.append({line.section('\t', 0, 0), line.section('\t', 2, 2)});
    }
    return banners;
}

} // namespace

class ServiceBannersTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void bannerIsTheFileOfTheNumber_data();
    void bannerIsTheFileOfTheNumber();
    void clickPageNamesTheSameSubject_data();
    void clickPageNamesTheSameSubject();
    void withoutBannersThePathsAreRefused();
    void badBannerFolderIsRefused_data();
    void badBannerFolderIsRefused();

  private:
    void addNumberRows();

    QTemporaryDir m_folder;
    QString m_database;
    QList<Banner> m_index;
    QList<QByteArray> m_files;
    std::unique_ptr<test::ServiceProcess> m_service;
};

void ServiceBannersTest::initTestCase() {
    QVERIFY(m_folder.isValid());
    m_database = m_folder.filePath("fixture.db");
    test::writeFixtureDatabase(m_database);
    m_index = readIndex(builtBanners());
    QVERIFY2(m_index.size() >= 2, qPrintable("no banner index in " + builtBanners()));
    for (const Banner& banner : std::as_const(m_index)) {
        QFile file(builtBanners() + "/" + banner.file);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        m_files.append(file.readAll());
        QVERIFY(m_files.back().startsWith("GIF8"));
    }
    m_service = std::make_unique<test::ServiceProcess>(m_database, QStringList{"--banners", builtBanners()});
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

// The client's number in the address, and the banner it must get.
void ServiceBannersTest::addNumberRows() {
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<int>("banner");
    const int count = int(m_index.size());
    QTest::newRow("0") << QByteArray("?n=0") << 0;
    QTest::newRow("1") << QByteArray("?n=1") << 1;
    QTest::newRow("count") << "?n=" + QByteArray::number(count) << 0;
    QTest::newRow("count + 1") << "?n=" + QByteArray::number(count + 1) << 1;
    QTest::newRow("largest") << QByteArray("?n=9999999") << 9999999 % count;
    QTest::newRow("no number") << QByteArray("") << 0;
    QTest::newRow("not a number") << QByteArray("?n=abc") << 0;
}

void ServiceBannersTest::bannerIsTheFileOfTheNumber_data() {
    addNumberRows();
}

void ServiceBannersTest::bannerIsTheFileOfTheNumber() {
    QFETCH(QByteArray, query);
    QFETCH(int, banner);
    const Reply reply = get(m_service->port(), "/banners/banner.gif" + query);
    QCOMPARE(reply.status, 200);
    QCOMPARE(reply.contentType, QByteArray("image/gif"));
    QVERIFY2(reply.body == m_files.value(banner),
             qPrintable(QStringLiteral("not the bytes of ") + m_index.value(banner).file));
}

void ServiceBannersTest::clickPageNamesTheSameSubject_data() {
    addNumberRows();
}

void ServiceBannersTest::clickPageNamesTheSameSubject() {
    QFETCH(QByteArray, query);
    QFETCH(int, banner);
    const Reply reply = get(m_service->port(), "/banners/click" + query);
    QCOMPARE(reply.status, 200);
    QVERIFY2(reply.contentType.startsWith("text/html"), reply.contentType.constData());
    const QString page = QString::fromUtf8(reply.body);
    const QString title = m_index.value(banner).title.toHtmlEscaped();
    QVERIFY2(page.contains("<h1>" + title + "</h1>"), qPrintable(title + " not in " + page));
    // No other subject's title: a page of the wrong banner would name its own.
    for (int other = 0; other < m_index.size(); ++other) {
        if (m_index[other].title != m_index[banner].title)
            QVERIFY2(!page.contains(m_index[other].title.toHtmlEscaped()), qPrintable(m_index[other].title));
    }
    QVERIFY(page.contains("<a href=\"/\">"));
}

void ServiceBannersTest::withoutBannersThePathsAreRefused() {
    test::ServiceProcess plain(m_database);
    QVERIFY2(plain.isRunning(), qPrintable(plain.errorString()));
    for (const QByteArray& target :
         {QByteArray("/banners/banner.gif?n=1"), QByteArray("/banners/click?n=1")}) {
        const Reply reply = get(plain.port(), target);
        QCOMPARE(reply.status, 404);
        QCOMPARE(reply.reason, QByteArray("No banners: the service was started without --banners"));
    }
}

void ServiceBannersTest::badBannerFolderIsRefused_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("reason");
    const QString missing = m_folder.filePath("no-such-folder");
    QTest::newRow("missing folder") << missing << QStringLiteral("not a folder");
    const QString empty = m_folder.filePath("empty");
    QVERIFY(QDir().mkpath(empty));
    QTest::newRow("no index") << empty << QStringLiteral("no index banners.txt");

    const auto folderWith = [&](const QString& name, const QByteArray& index, const QByteArray& banner) {
        const QString folder = m_folder.filePath(name);
        QDir().mkpath(folder);
        QFile indexFile(folder + "/banners.txt");
        QFile bannerFile(folder + "/banner-01.gif");
        const bool written = indexFile.open(QIODevice::WriteOnly) && indexFile.write(index) == index.size() &&
                             bannerFile.open(QIODevice::WriteOnly) &&
                             bannerFile.write(banner) == banner.size();
        return written ? folder : QString();
    };
    const QByteArray oneLine = "banner-01.gif\tone\tTitle\tText.\n";
    const QString notGif = folderWith("not-gif", oneLine, "PNG, not GIF");
    QVERIFY(!notGif.isEmpty());
    QTest::newRow("file not a GIF") << notGif << QStringLiteral("banner-01.gif is missing or not a GIF");
    const QString missingFile = folderWith("missing-file", "banner-02.gif\tone\tTitle\tText.\n", "GIF89a");
    QVERIFY(!missingFile.isEmpty());
    QTest::newRow("file missing") << missingFile << QStringLiteral("banner-02.gif is missing or not a GIF");
    const QString shortLine = folderWith("short-line", "banner-01.gif\tone\tTitle\n", "GIF89a");
    QVERIFY(!shortLine.isEmpty());
    QTest::newRow("three fields") << shortLine
                                  << QStringLiteral("wants file, id, title and text separated by tabs");
    const QString outside = folderWith("outside", "../banner-01.gif\tone\tTitle\tText.\n", "GIF89a");
    QVERIFY(!outside.isEmpty());
    QTest::newRow("outside the folder") << outside << QStringLiteral("bad file name \"../banner-01.gif\"");
    const QString noLines = folderWith("no-lines", "# nothing\n", "GIF89a");
    QVERIFY(!noLines.isEmpty());
    QTest::newRow("empty index") << noLines << QStringLiteral("banners.txt lists no banners");
}

void ServiceBannersTest::badBannerFolderIsRefused() {
    QFETCH(QString, folder);
    QFETCH(QString, reason);
    const QString program = test::ServiceProcess::executablePath();
    QVERIFY2(!program.isEmpty(), "statdesk-service not built");
    QProcess service;
    service.setProcessChannelMode(QProcess::MergedChannels);
    service.start(program, {"--db", m_database, "--listen", "127.0.0.1:0", "--events",
                            m_folder.filePath("events.log"), "--banners", folder});
    QVERIFY(service.waitForStarted(5000));
    if (!service.waitForFinished(10000)) {
        service.kill();
        service.waitForFinished(3000);
        QFAIL("the service started with a bad banner folder");
    }
    const QString output = QString::fromLocal8Bit(service.readAll());
    QCOMPARE(service.exitCode(), 2);
    QVERIFY2(output.contains("--banners: banner folder " + folder + ": "), qPrintable(output));
    QVERIFY2(output.contains(reason), qPrintable(output));
}

QTEST_MAIN(ServiceBannersTest)
#include "tst_service_banners.moc"
