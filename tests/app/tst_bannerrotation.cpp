#include "BannerSlots.h"
#include "BrandRecord.h"
#include "ClosedHosts.h"
#include "FakeSeams.h"
#include "MainWindow.h"
#include "RecordingServer.h"
#include "StatdeskApplication.h"
#include "THttpCli.h"
#include "TableWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace statdesk;
using namespace statdesk::test;

namespace {

// A 1 x 1 GIF whose one pixel has this colour, written byte by byte: header, a two-colour table,
// one image of LZW codes clear, 0, end.
QByteArray onePixelGif(QRgb colour) {
    QByteArray gif("GIF89a");
    gif += QByteArray::fromHex("0100010080" "0000");
    gif += char(qRed(colour));
    gif += char(qGreen(colour));
    gif += char(qBlue(colour));
    gif += QByteArray::fromHex("FFFFFF" "2C0000000001000100" "00" "02024401" "00" "3B");
    return gif;
}

QRgb pixelOf(const QPixmap& picture) {
    return picture.isNull() ? 0 : picture.toImage().pixel(0, 0) & 0xFFFFFF;
}

const char* const kCommands[] = {"Regular1", "Playoff1", "Regular2", "Playoff2"};

QStringList warnings;
void recordWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg && text.contains(QStringLiteral("banner")))
        warnings << text;
}

} // namespace

// The banner rotation of the main window over the table windows' eight pictures.
class TestBannerRotation : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void slotsFollowTheOpenedDatasets_data();
    void slotsFollowTheOpenedDatasets();
    void noPlaceHolderAsksTheSameAddress();
    void noBannersWithCountZero();
    void aClosedWindowsPictureIsDropped();
    void failuresKeepThePictureAndAskNoQuestion();
    void oneRequestInFlight();

  private:
    TableWindow* open(TForm1& main, int dataset);
    QString requestPath(int connection) const;

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<RecordingServer> m_statistics;
    std::unique_ptr<RecordingServer> m_banners;
    std::unique_ptr<RecordingPresenter> m_presenter;
    std::unique_ptr<RecordingOpener> m_opener;
    std::unique_ptr<ScriptedRandom> m_random;
};

void TestBannerRotation::initTestCase() {
    QVERIFY(!QImage::fromData(onePixelGif(qRgb(200, 10, 20)), "GIF").isNull());
    QCOMPARE(QImage::fromData(onePixelGif(qRgb(200, 10, 20)), "GIF").pixel(0, 0) & 0xFFFFFF,
             qRgb(200, 10, 20) & 0xFFFFFF);
}

void TestBannerRotation::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_folder->path()));
    m_statistics = std::make_unique<RecordingServer>();
    m_statistics->setReply(totalOnlyReply(0));
    m_banners = std::make_unique<RecordingServer>();
    m_banners->setReply(httpReply(onePixelGif(qRgb(0, 0, 255))));
    const QString stats = m_statistics->hostPort();
    pointHostsAtClosedPort();
    qputenv("STATDESK_HOSTS", (stats + "," + stats + "," + stats).toLatin1());
    brandRecord() = BrandRecord{};
    brandRecord().BannerCount = 2;
    brandRecord().BannerAddress = QStringLiteral("http://%1/b{.gif?x=}").arg(m_banners->hostPort());
    brandRecord().BannerClickAddress = QStringLiteral("http://ads.example/click?n={");
    bannerSlotNumbers().fill(0);
    m_presenter = std::make_unique<RecordingPresenter>();
    m_opener = std::make_unique<RecordingOpener>();
    m_random = std::make_unique<ScriptedRandom>();
    warnings.clear();
}

void TestBannerRotation::cleanup() {
    m_random.reset();
    m_opener.reset();
    m_presenter.reset();
    m_banners.reset();
    m_statistics.reset();
    pointHostsAtClosedPort();
    QDir::setCurrent(QDir::tempPath());
    m_folder.reset();
}

TableWindow* TestBannerRotation::open(TForm1& main, int dataset) {
    main.action(kCommands[dataset])->trigger();
    return main.tableWindows.at(static_cast<size_t>(dataset));
}

QString TestBannerRotation::requestPath(int connection) const {
    const QByteArray request = m_banners->requests().value(connection);
    return QString::fromLatin1(request.left(request.indexOf("\r\n")));
}

void TestBannerRotation::slotsFollowTheOpenedDatasets_data() {
    QTest::addColumn<QList<int>>("datasets");
    QTest::addColumn<QList<int>>("expectedSlots");
    QTest::newRow("teams, regular season only") << QList<int>{2} << QList<int>{5, 6, 5, 6};
    QTest::newRow("players regular, teams playoffs") << QList<int>{0, 3} << QList<int>{1, 2, 7, 8, 1};
    QTest::newRow("all four") << QList<int>{3, 1, 2, 0} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 1};
}

// Each request carries a fresh number in place of the first "{"; the slot keeps it, and the
// window's click on that picture opens the click address with the same number.
void TestBannerRotation::slotsFollowTheOpenedDatasets() {
    QFETCH(QList<int>, datasets);
    QFETCH(QList<int>, expectedSlots);
    TForm1 main;
    QVERIFY(main.Timer3->isActive());
    QCOMPARE(main.Timer3->interval(), 15000);
    main.Timer3Timer(); // nothing opened yet: nothing asked
    QCOMPARE(m_banners->connectionCount(), 0);
    for (int dataset : datasets)
        QVERIFY(open(main, dataset));

    QList<int> used;
    for (int tick = 0; tick < expectedSlots.size(); ++tick) {
        const int number = 1000 + tick;
        const QRgb colour = qRgb(tick * 20, 100, 200);
        m_random->next = {number};
        m_banners->queueResponse({httpReply(onePixelGif(colour))});
        main.Timer3Timer();
        used << main.bannerSlot;
        QCOMPARE(requestPath(tick), QStringLiteral("GET /b%1.gif?x=} HTTP/1.0").arg(number));
        QCOMPARE(bannerSlotNumbers().at(static_cast<size_t>(main.bannerSlot - 1)), number);

        TableWindow* window = main.tableWindows.at(static_cast<size_t>((main.bannerSlot - 1) / 2));
        const int picture = (main.bannerSlot - 1) % 2 + 1;
        QCOMPARE(pixelOf(window->bannerPicture(picture)), colour & 0xFFFFFF);
        m_opener->opened.clear();
        if (auto* players = qobject_cast<TForm2A*>(window))
            picture == 1 ? players->Image1Click() : players->Image2Click();
        else if (auto* teams = qobject_cast<TForm5*>(window))
            picture == 1 ? teams->Image1Click() : teams->Image2Click();
        QCOMPARE(m_opener->opened, QStringList{QStringLiteral("http://ads.example/click?n=%1").arg(number)});
    }
    QCOMPARE(used, expectedSlots);
    QVERIFY(m_presenter->errors.isEmpty());
}

void TestBannerRotation::noPlaceHolderAsksTheSameAddress() {
    brandRecord().BannerAddress = QStringLiteral("http://%1/fixed.gif").arg(m_banners->hostPort());
    TForm1 main;
    open(main, 1);
    m_random->next = {77, 78};
    main.Timer3Timer();
    main.Timer3Timer();
    QCOMPARE(requestPath(0), QStringLiteral("GET /fixed.gif HTTP/1.0"));
    QCOMPARE(requestPath(1), QStringLiteral("GET /fixed.gif HTTP/1.0"));
    QCOMPARE(bannerSlotNumbers()[2], 0);
    QCOMPARE(bannerSlotNumbers()[3], 0);
    QCOMPARE(m_random->next.size(), 2); // no number drawn
}

void TestBannerRotation::noBannersWithCountZero() {
    brandRecord().BannerCount = 0;
    TForm1 main;
    QVERIFY(!main.Timer3->isActive());
}

void TestBannerRotation::aClosedWindowsPictureIsDropped() {
    TForm1 main;
    TableWindow* players = open(main, 0);
    players->parentWidget()->close();
    QTRY_VERIFY(!main.tableWindows[0]);
    main.Timer3Timer();
    main.Timer3Timer();
    QCOMPARE(m_banners->connectionCount(), 2); // its slots stay in the rotation
    QCOMPARE(main.bannerSlot, 2);
    TableWindow* again = open(main, 0);
    QVERIFY(again->bannerPicture(1).isNull());
    QVERIFY(again->bannerPicture(2).isNull());
    QVERIFY(m_presenter->errors.isEmpty());
}

void TestBannerRotation::failuresKeepThePictureAndAskNoQuestion() {
    const QtMessageHandler previous = qInstallMessageHandler(recordWarning);
    TForm1 main;
    TableWindow* teams = open(main, 3);
    const QByteArray notFound = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
    m_banners->queueResponse({httpReply(onePixelGif(qRgb(255, 0, 0)))}); // slot 7
    m_banners->queueResponse({notFound});                                 // slot 8
    m_banners->queueResponse({notFound});                                 // slot 7
    m_banners->queueResponse({httpReply(onePixelGif(qRgb(0, 255, 0)))}); // slot 8
    m_banners->queueResponse({notFound});                                 // slot 7
    for (int tick = 0; tick < 5; ++tick)
        main.Timer3Timer();
    qInstallMessageHandler(previous);

    QCOMPARE(m_banners->connectionCount(), 5);
    QCOMPARE(pixelOf(teams->bannerPicture(1)), qRgb(255, 0, 0) & 0xFFFFFF);
    QCOMPARE(pixelOf(teams->bannerPicture(2)), qRgb(0, 255, 0) & 0xFFFFFF);
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
    // Once for the first run of two failures, once for the run after the success.
    QCOMPARE(warnings.size(), 2);
    QVERIFY2(warnings.at(0).endsWith(QStringLiteral("failed: Not Found")), qPrintable(warnings.at(0)));
    QVERIFY2(warnings.at(0).contains(QStringLiteral("/b0.gif")), qPrintable(warnings.at(0)));
    QVERIFY(!main.bannerBusy);
}

// A tick while a banner request waits starts no second one.
void TestBannerRotation::oneRequestInFlight() {
    TForm1 main;
    open(main, 2);
    m_banners->queueResponse({QByteArray("HTTP/1.0 200 OK\r\n"), false, true}); // stalls
    int connectionsDuringWait = -1;
    QTimer::singleShot(100, this, [&] {
        main.Timer3Timer();
        QTest::qWait(100);
        connectionsDuringWait = m_banners->connectionCount();
        m_banners->closeStalled();
    });
    main.Timer3Timer();
    QCOMPARE(connectionsDuringWait, 1);
    QCOMPARE(main.bannerSlot, 5);
    QVERIFY(!main.bannerBusy);
    main.Timer3Timer();
    QCOMPARE(main.bannerSlot, 6);
}

int main(int argc, char** argv) {
    StatdeskApplication app(argc, argv);
    TestBannerRotation test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_bannerrotation.moc"
