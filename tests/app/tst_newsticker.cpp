#include "BrandRecord.h"
#include "ClosedHosts.h"
#include "FakeSeams.h"
#include "MainWindow.h"
#include "RecordingServer.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

using namespace statdesk;
using namespace statdesk::test;

namespace {

const QByteArray kTodayList = "^^setURL(http://news.example/article.asp?id=T1)\r\n"
                              "Wilt scores 100\r\n"
                              "Final: PHW 169, NYK 147\r\n"
                              "^^setURL(http://news.example/article.asp?id=T2)\r\n"
                              "Record margin\r\n"
                              "Won by 68\r\n";
const QByteArray kYesterdayList = "^^setURL(http://news.example/article.asp?id=Y1)\r\n"
                                  "Finals opener\r\n"
                                  "Game 1\r\n";
const QByteArray kNewsPage = "<html><table>\r\n"
                             "<TR><TD><a href=\"/article.asp?id=A1\"><B>First title</B></a></TD></TR>\r\n"
                             "<TR><TD><FONT SIZE=\"1\" FACE=\"VERDANA\">First summary</FONT></TD></TR>\r\n"
                             "<TR><TD><a href=\"/article.asp?id=A2\"><B>Second title</B></a></TD></TR>\r\n"
                             "<TR><TD><FONT SIZE=\"1\" FACE=\"VERDANA\">Second summary</FONT></TD></TR>\r\n"
                             "<TR><TD><a href=\"/article.asp?id=A3\"><B>Third title</B></a></TD></TR>\r\n"
                             "<TR><TD><FONT SIZE=\"1\" FACE=\"VERDANA\">Third summary</FONT></TD></TR>\r\n"
                             "</table></html>\r\n";
const QByteArray kSummaryPage = "<P><B>Wilt scores 100</B><BR>\r\n"
                                "<FONT SIZE=\"1\" FACE=\"VERDANA\">One hundred points\r\n"
                                " in Hershey.</FONT></P>\r\n"
                                "<P><B>Finals opener</B><BR>\r\n"
                                "<FONT SIZE=\"1\" FACE=\"VERDANA\">The first game of the Finals.\r\n"
                                "</FONT></P>\r\n"
                                "</html>\r\n";
const QByteArray kNotFound = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";

QLabel* label(const TForm1& main, const char* name) {
    return main.findChild<QLabel*>(QString::fromLatin1(name));
}

// A move with no button held, as the mouse resting over the widget makes it.
void moveOver(QWidget* widget, QPoint at = {2, 2}) {
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void pressOn(QWidget* widget) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

bool rotating(const TForm1& main) {
    return main.Timer1->isActive() && main.Timer2->isActive();
}

} // namespace

// The news ticker on the main window's band: its downloads at set-up, the two rotations, the clicks
// and the pause over a headline.
class TestNewsTicker : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void setUpReadsTheFourDownloads();
    void rotationsAndClicks();
    void aFailedDownload_data();
    void aFailedDownload();
    void pauseOverAHeadlineResumeOverTheBand();
    void newsOffAsksNothing();

  private:
    void queueNews(int failing = -1);
    QString root() const { return QStringLiteral("http://") + m_news->hostPort() + '/'; }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<RecordingServer> m_news;
    std::unique_ptr<RecordingOpener> m_opener;
    std::unique_ptr<RecordingPresenter> m_presenter;
};

void TestNewsTicker::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir::setCurrent(m_folder->path()));
    m_news = std::make_unique<RecordingServer>();
    m_news->setReply(kNotFound); // anything past the queued answers
    pointHostsAtClosedPort();
    qputenv("STATDESK_NEWS", m_news->hostPort().toLatin1());
    brandRecord() = BrandRecord{};
    brandRecord().ShowBand = true;
    brandRecord().ShowNews = true;
    brandRecord().BandHeight = 66;
    m_opener = std::make_unique<RecordingOpener>();
    m_presenter = std::make_unique<RecordingPresenter>();
}

void TestNewsTicker::cleanup() {
    m_presenter.reset();
    m_opener.reset();
    m_news.reset();
    pointHostsAtClosedPort();
    QDir::setCurrent(QDir::tempPath());
    m_folder.reset();
}

// Today's list, yesterday's, the news page and the summary page twice; `failing` answers 404.
void TestNewsTicker::queueNews(int failing) {
    const QList<QByteArray> bodies = {kTodayList, kYesterdayList, kNewsPage, kSummaryPage, kSummaryPage};
    for (int i = 0; i < bodies.size(); ++i)
        m_news->queueResponse({i == failing ? kNotFound : httpReply(bodies.at(i))});
}

void TestNewsTicker::setUpReadsTheFourDownloads() {
    queueNews();
    TForm1 main;
    QStringList requests;
    for (const QByteArray& request : m_news->requests())
        requests << QString::fromLatin1(request.left(request.indexOf("\r\n")));
    QCOMPARE(requests, (QStringList{"GET /scroller/dataFiles/todaysArticles.txt HTTP/1.0",
                                    "GET /scroller/dataFiles/yesterDaysArticles.txt HTTP/1.0",
                                    "GET /home.asp?category=Basketball HTTP/1.0", "GET /content.asp HTTP/1.0",
                                    "GET /content.asp HTTP/1.0"}));
    // Each summary follows its caption in its own list only.
    QCOMPARE(main.ListBox2.mid(1, 3),
             (QStringList{"Wilt scores 100", "One hundred points in Hershey.", "Final: PHW 169, NYK 147"}));
    QCOMPARE(main.ListBox2.size(), 7);
    QCOMPARE(main.ListBox3.mid(1, 2), (QStringList{"Finals opener", "The first game of the Finals."}));
    QVERIFY(rotating(main));
    QCOMPARE(main.Timer1->interval(), 3000);
    QCOMPARE(main.Timer2->interval(), 3000);
    QCOMPARE(main.hintDisplayTimeMs, 60000);
    QVERIFY(m_presenter->errors.isEmpty());
}

void TestNewsTicker::rotationsAndClicks() {
    queueNews();
    TForm1 main;
    QLabel* article1 = label(main, "Article1");
    QLabel* article2 = label(main, "Article2");

    // Nothing to open before the first rotation.
    QTest::mouseClick(article2, Qt::LeftButton);
    QTest::mouseClick(main.Label3, Qt::LeftButton);
    QCOMPARE(m_opener->opened, QStringList());

    main.Timer1Timer();
    main.Timer1Timer();
    QCOMPARE(main.Label3->text(), QStringLiteral("Wilt scores 100"));
    QCOMPARE(main.Label3->toolTip(), QStringLiteral("One hundred points in Hershey."));
    QCOMPARE(main.Label4->text(), QStringLiteral("Finals opener"));
    main.Timer1Timer();
    QCOMPARE(main.Label3->text(), QStringLiteral("Record margin"));
    QCOMPARE(main.Label3->toolTip(), QStringLiteral("Won by 68"));

    for (int i = 0; i < 3; ++i)
        main.Timer2Timer();
    QCOMPARE(article1->text(), QStringLiteral("First title"));
    QCOMPARE(article2->toolTip(), QStringLiteral("Second summary"));
    QCOMPARE(label(main, "Article3")->text(), QStringLiteral("Third title"));

    QTest::mouseClick(main.Label3, Qt::LeftButton);
    QTest::mouseClick(main.Label4, Qt::LeftButton);
    QTest::mouseClick(article2, Qt::LeftButton);
    QTest::mouseClick(main.Label5, Qt::LeftButton);
    main.Timer2Timer(); // entry 4 is empty: its title too, and a click opens the site's root
    QCOMPARE(article1->text(), QString());
    QTest::mouseClick(article1, Qt::LeftButton);
    QCOMPARE(m_opener->opened,
             (QStringList{"http://news.example/article.asp?id=T2", "http://news.example/article.asp?id=Y1",
                          root() + "article.asp?id=A2", root() + "home.asp?category=Basketball", root()}));

    // The ticker's tooltips show what the label holds.
    QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), main.Label3->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(main.Label3, &help);
    QCOMPARE(QToolTip::text(), QStringLiteral("Won by 68"));
    QToolTip::hideText();
}

void TestNewsTicker::aFailedDownload_data() {
    QTest::addColumn<int>("failing");
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("rotates");
    QTest::addColumn<int>("todayLines");
    QTest::addColumn<int>("yesterdayLines");
    // A headline list failing leaves that list empty; a page failing ends the set-up there.
    QTest::newRow("today's list") << 0 << 5 << true << 0 << 4;
    QTest::newRow("yesterday's list") << 1 << 5 << true << 7 << 0;
    QTest::newRow("news page") << 2 << 3 << false << 6 << 3;
    QTest::newRow("first summary page") << 3 << 4 << false << 6 << 3;
    QTest::newRow("second summary page") << 4 << 5 << false << 7 << 3;
}

void TestNewsTicker::aFailedDownload() {
    QFETCH(int, failing);
    QFETCH(int, requests);
    QFETCH(bool, rotates);
    QFETCH(int, todayLines);
    QFETCH(int, yesterdayLines);
    queueNews(failing);
    TForm1 main;
    QCOMPARE(m_news->connectionCount(), requests);
    QCOMPARE(rotating(main), rotates);
    QCOMPARE(main.ListBox2.size(), todayLines);
    QCOMPARE(main.ListBox3.size(), yesterdayLines);
    QCOMPARE(main.Label3->text(), QString());
    QVERIFY2(m_presenter->errors.isEmpty(), qPrintable(m_presenter->errors.join('\n')));
}

void TestNewsTicker::pauseOverAHeadlineResumeOverTheBand() {
    queueNews();
    TForm1 main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(rotating(main));
    QVERIFY(main.CoolBar1->childAt(QPoint(1, 64)) == nullptr); // the background spot used below

    moveOver(main.Label3);
    QVERIFY(!main.Timer1->isActive());
    QVERIFY(!main.Timer2->isActive());
    moveOver(label(main, "Label1")); // a label that does not pause: the band sees it, but not as background
    QVERIFY(!rotating(main));
    moveOver(main.CoolBar1, QPoint(1, 64));
    QVERIFY(rotating(main));

    const QList<std::pair<const char*, bool>> presses = {{"Article2", true}, {"Article1", false}};
    for (const auto& [name, keepsRotating] : presses) {
        pressOn(label(main, name));
        QVERIFY2(rotating(main) == keepsRotating, name);
    }
    moveOver(main.CoolBar1, QPoint(1, 64));
    moveOver(main.Label4);
    QVERIFY(!rotating(main));
    moveOver(main.CoolBar1, QPoint(1, 64));
    pressOn(label(main, "Article3"));
    QVERIFY(!rotating(main));
}

void TestNewsTicker::newsOffAsksNothing() {
    brandRecord().ShowNews = false;
    queueNews();
    TForm1 main;
    QCOMPARE(m_news->connectionCount(), 0);
    QVERIFY(!main.Timer1->isActive());
    for (const char* name : {"Label1", "Label3", "Label5", "Article2"})
        QVERIFY2(label(main, name)->isHidden(), name);
    moveOver(main.CoolBar1, QPoint(1, 64));
    QVERIFY(!main.Timer1->isActive());
}

QTEST_MAIN(TestNewsTicker)
#include "tst_newsticker.moc"
