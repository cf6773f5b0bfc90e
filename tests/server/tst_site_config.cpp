#include "CommandLine.h"
#include "SiteConfig.h"

#include <QFile>
#include <QtTest>

using namespace statdesk::server;

namespace {

QString describe(const std::vector<ListenAddress>& addresses) {
    QStringList parts;
    for (const ListenAddress& address : addresses)
        parts << QString::fromStdString(address.host) + QLatin1Char(':') + QString::number(address.port);
    return parts.join(QLatin1Char(' '));
}

QStringList describePages(const SiteConfig& config) {
    QStringList pages;
    for (const SiteConfig::Page& page : config.pages())
        pages << QString::fromStdString(page.path + "\n" + page.html);
    return pages;
}

} // namespace

// The site settings: the built-in ones are the shipped file, and "listen" lines choose the addresses
// when the command line names none.
class TestSiteConfig : public QObject {
    Q_OBJECT
  private slots:
    void builtInSettingsAreTheShippedFile();
    void listenLines_data();
    void listenLines();
    void addressesToBind_data();
    void addressesToBind();
};

void TestSiteConfig::builtInSettingsAreTheShippedFile() {
    const std::string path = STATDESK_SITE_CONFIG_FILE;
    QVERIFY2(QFile::exists(QString::fromStdString(path)), path.c_str());
    const SiteConfig shipped = SiteConfig::read(path);
    const SiteConfig builtIn = SiteConfig::builtIn();
    // The default brand's version entry is in the file, so an empty comparison cannot pass.
    QVERIFY(shipped.versionList().find("127.0.0.1:8470\r\n200\r\n") != std::string::npos);
    QCOMPARE(builtIn.versionList(), shipped.versionList());
    QCOMPARE(builtIn.brandSettings(), shipped.brandSettings());
    QCOMPARE(builtIn.noticeText(), shipped.noticeText());
    QCOMPARE(describePages(builtIn), describePages(shipped));
    QCOMPARE(describe(builtIn.listen()), describe(shipped.listen()));
}

void TestSiteConfig::listenLines_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("addresses");
    QTest::addColumn<QString>("error");
    QTest::newRow("none") << QByteArray("version 2 a 200\n") << QString() << QString();
    QTest::newRow("two") << QByteArray("listen 0.0.0.0:8470\n# IPv6\nlisten ::1:9000\n")
                         << QStringLiteral("0.0.0.0:8470 ::1:9000") << QString();
    QTest::newRow("any free port") << QByteArray("listen 127.0.0.1:0\n") << QStringLiteral("127.0.0.1:0")
                                   << QString();
    QTest::newRow("no address") << QByteArray("version 2 a 200\nlisten\n") << QString()
                                << QStringLiteral("site.conf:2: \"listen\" takes one address ADDR:PORT");
    QTest::newRow("two on one line") << QByteArray("listen 1.2.3.4:1 1.2.3.4:2\n") << QString()
                                     << QStringLiteral("site.conf:1: \"listen\" takes one address ADDR:PORT");
    QTest::newRow("no port") << QByteArray("listen 1.2.3.4\n") << QString()
                             << QStringLiteral("site.conf:1: an address is ADDR:PORT, got \"1.2.3.4\"");
    QTest::newRow("port too large") << QByteArray("\nlisten 1.2.3.4:65536\n") << QString()
                                    << QStringLiteral("site.conf:2: bad port in \"1.2.3.4:65536\"");
    QTest::newRow("port not a number") << QByteArray("listen host:http\n") << QString()
                                       << QStringLiteral("site.conf:1: bad port in \"host:http\"");
}

void TestSiteConfig::listenLines() {
    QFETCH(QByteArray, text);
    QFETCH(QString, addresses);
    QFETCH(QString, error);
    try {
        const SiteConfig config = SiteConfig::parse(text.toStdString(), "site.conf");
        QVERIFY2(error.isEmpty(), "no error");
        QCOMPARE(describe(config.listen()), addresses);
    } catch (const std::runtime_error& failure) {
        QCOMPARE(QString::fromUtf8(failure.what()), error);
    }
}

void TestSiteConfig::addressesToBind_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("addresses");
    const QStringList noListen = {QStringLiteral("--db"), QStringLiteral("x.db")};
    QTest::newRow("nothing named: the client's three hosts")
        << noListen << QByteArray() << QStringLiteral("127.0.0.1:8470 127.0.0.2:8470 127.0.0.3:8470");
    QTest::newRow("the settings' lines") << noListen << QByteArray("listen 0.0.0.0:8470\n")
                                         << QStringLiteral("0.0.0.0:8470");
    QTest::newRow("the command line before the settings")
        << (noListen + QStringList{QStringLiteral("--listen"), QStringLiteral("127.0.0.9:1")})
        << QByteArray("listen 0.0.0.0:8470\n") << QStringLiteral("127.0.0.9:1");
}

void TestSiteConfig::addressesToBind() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, settings);
    QFETCH(QString, addresses);
    std::vector<std::string> words;
    for (const QString& argument : arguments)
        words.push_back(argument.toStdString());
    const ServiceOptions options = parseCommandLine(words);
    const SiteConfig config = SiteConfig::parse(settings.toStdString(), "site.conf");
    QCOMPARE(describe(listenAddresses(options, config.listen())), addresses);
}

QTEST_GUILESS_MAIN(TestSiteConfig)
#include "tst_site_config.moc"
