#include "NewsReaders.h"
#include "TickerRotation.h"

#include <QTest>

using namespace statdesk;

namespace {

const QString kFont = QStringLiteral("<FONT FACE=\"VERDANA\">");

QString articleLink(const QString& id, const QString& rest) {
    return QStringLiteral("<td><a href=\"/article.asp?id=%1\">%2").arg(id, rest);
}

// Title, path and summary of each entry, "|"-joined; empty entries as "||".
QStringList entries(const ArticleTable& table) {
    QStringList texts;
    for (const ArticleEntry& entry : table)
        texts << entry.title + '|' + entry.path + '|' + entry.summary;
    return texts;
}

QStringList emptyEntries(int count) {
    return QStringList(count, QStringLiteral("||"));
}

// Captions shown by `count` headline ticks: today's on odd ticks, yesterday's on even ones.
QStringList captions(TickerRotation& rotation, const QStringList& today, const QStringList& yesterday,
                     int count) {
    QStringList shown;
    for (int i = 0; i < count; ++i) {
        const auto headline = rotation.nextHeadline(today, yesterday);
        shown << (headline ? (headline->today ? "T:" : "Y:") + headline->caption : QStringLiteral("-"));
    }
    return shown;
}

} // namespace

// The readers of the news site's lists and pages, and the ticker's two rotations.
class TestNewsReaders : public QObject {
    Q_OBJECT
  private slots:
    void headlineMarkers_data();
    void headlineMarkers();
    void articleLinks_data();
    void articleLinks();
    void summariesMerged_data();
    void summariesMerged();
    void headlineListsRotateIndependently();
    void articlesCycleThroughTwelveEntries();
};

void TestNewsReaders::headlineMarkers_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("marker");
    QTest::addColumn<QString>("address");
    // The ninth and the last character are dropped, whatever they are.
    QTest::newRow("brackets") << "^^setURL(http://news.example/article.asp?id=7)" << true
                              << "http://news.example/article.asp?id=7";
    QTest::newRow("any characters") << "^^setURLXa/bY" << true << "a/b";
    QTest::newRow("one character of address") << "^^setURL[a]" << true << "a";
    QTest::newRow("nothing between") << "^^setURL()" << true << "";
    QTest::newRow("marker alone") << "^^setURL" << true << "";
    QTest::newRow("letter case counts") << "^^SETURL(http://x/)" << false << "";
    QTest::newRow("not at the start") << " ^^setURL(http://x/)" << false << "";
}

void TestNewsReaders::headlineMarkers() {
    QFETCH(QString, line);
    QFETCH(bool, marker);
    QFETCH(QString, address);
    QCOMPARE(isHeadlineMarker(line), marker);
    if (marker)
        QCOMPARE(headlineAddress(line), address);
}

void TestNewsReaders::articleLinks_data() {
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three links, title on the same or the next line")
        << QStringList{"<html>",
                       articleLink("1", "<b>Seventy-eight</b></a>"),
                       kFont + "Overtime in Philadelphia</font>",
                       articleLink("2", "</a>"),
                       "<B>Record margin</B>",
                       "<p>",
                       kFont + "By 68 points</FONT>",
                       articleLink("3", "<B>Finals opener</B>") + kFont + "Same line</FONT>",
                       "</html>"}
        << QStringList{"Seventy-eight|/article.asp?id=1|Overtime in Philadelphia",
                       "Record margin|/article.asp?id=2|By 68 points",
                       "Finals opener|/article.asp?id=3|Same line"} +
               emptyEntries(9);
    QTest::newRow("closing markers missing")
        << QStringList{articleLink("1", "<B>No end"), kFont + "no end either", "</html>"}
        << QStringList{"|/article.asp?id=1|"} + emptyEntries(11);
    QTest::newRow("no bold on the next line: empty title")
        << QStringList{articleLink("1", "</a>"), "plain", kFont + "Summary</FONT>", "</html>"}
        << QStringList{"|/article.asp?id=1|Summary"} + emptyEntries(11);
    // A page that ends before any font marker leaves the summary empty.
    QTest::newRow("no font marker before the end")
        << QStringList{articleLink("1", "<B>Alone</B>"), "</html>"} << QStringList{"Alone|/article.asp?id=1|"} + emptyEntries(11);
    QTest::newRow("upper-case link is not a start")
        << QStringList{"<A HREF=\"/ARTICLE.ASP?id=1\"><B>Loud</B>", kFont + "x</FONT>", "</html>"}
        << emptyEntries(12);
    QTest::newRow("the last line is never a start")
        << QStringList{"<html>", articleLink("1", "<B>Last</B>") + kFont + "x</FONT>"} << emptyEntries(12);
    QTest::newRow("a sharp s before the link")
        << QStringList{QStringLiteral("<td>Stra\u00DFe ") + articleLink("5", "<B>Street</B>"), kFont + "S</FONT>",
                       "</html>"}
        << QStringList{"Street|/article.asp?id=5|S"} + emptyEntries(11);
    QTest::newRow("address without its closing quotation mark")
        << QStringList{"<a href=\"/article.asp?id=9", "<B>T</B>", kFont + "S</FONT>", "</html>"}
        << QStringList{"T||S"} + emptyEntries(11);

    QStringList thirteen;
    QStringList first12;
    for (int i = 1; i <= 13; ++i) {
        thirteen << articleLink(QString::number(i), QStringLiteral("<B>T%1</B>").arg(i))
                 << kFont + QStringLiteral("S%1</FONT>").arg(i);
        if (i <= 12)
            first12 << QStringLiteral("T%1|/article.asp?id=%1|S%1").arg(i);
    }
    thirteen << "</html>";
    QTest::newRow("links past the twelfth are ignored") << thirteen << first12;
}

void TestNewsReaders::articleLinks() {
    QFETCH(QStringList, page);
    QFETCH(QStringList, expected);
    QCOMPARE(entries(readArticleLinks(page)), expected);
}

void TestNewsReaders::summariesMerged_data() {
    QTest::addColumn<QStringList>("headlines");
    QTest::addColumn<QStringList>("page");
    QTest::addColumn<QStringList>("expected");
    const QString marker = QStringLiteral("^^setURL(http://n/a)");

    QTest::newRow("summary split over two lines")
        << QStringList{marker, "Wilt scores 100", "old tip", "end"}
        << QStringList{"<P><B>Wilt scores 100</B><BR>", "<FONT SIZE=\"1\" FACE=\"VERDANA\">A hundred",
                       " points in Hershey.</FONT></P>", "</html>"}
        << QStringList{marker, "Wilt scores 100", "A hundred points in Hershey.", "old tip", "end"};
    QTest::newRow("two headlines, in page order")
        << QStringList{marker, "First", "tip", marker, "Second", "tip", "end"}
        << QStringList{"<B>Second</B>", kFont + "two</FONT>", "<B>First</B>", kFont + "one</FONT>", "x"}
        << QStringList{marker, "First", "one", "tip", marker, "Second", "two", "tip", "end"};
    QTest::newRow("letter case counts; empty lines never match")
        << QStringList{"", "first", "end"} << QStringList{"<B>FIRST</B>", kFont + "s</FONT>", "x"}
        << QStringList{"", "first", "end"};
    QTest::newRow("the list's last line is never compared")
        << QStringList{"tip", "Last"} << QStringList{"<B>Last</B>", kFont + "s</FONT>", "x"}
        << QStringList{"tip", "Last"};
    QTest::newRow("no font marker before the end: empty summary")
        << QStringList{"Caption", "end"} << QStringList{"<B>Caption</B>", "no marker", "x"}
        << QStringList{"Caption", "", "end"};
    QTest::newRow("the font marker on the caption's line is not the summary's")
        << QStringList{"Caption", "end"}
        << QStringList{"<B>Caption</B>" + kFont + "wrong</FONT>", kFont + "right</FONT>", "x"}
        << QStringList{"Caption", "right", "end"};
}

void TestNewsReaders::summariesMerged() {
    QFETCH(QStringList, headlines);
    QFETCH(QStringList, page);
    QFETCH(QStringList, expected);
    mergeSummaries(headlines, page);
    QCOMPARE(headlines, expected);
}

void TestNewsReaders::headlineListsRotateIndependently() {
    const QStringList today{"^^setURL(http://n/t1)", "T one", "tip 1", "junk",
                            "^^setURL(http://n/t2)", "T two", "tip 2", "^^setURL(http://n/t3)",
                            "T three", "tip 3", "trailer"};
    const QStringList yesterday{"^^setURL(http://n/y1)", "Y one", "tip"};
    TickerRotation rotation;
    rotation.reset();
    QCOMPARE(captions(rotation, today, yesterday, 10),
             (QStringList{"T:T one", "Y:Y one", "T:T two", "Y:Y one", "T:T three", "Y:Y one", "T:T one",
                          "Y:Y one", "T:T two", "Y:Y one"}));
    QCOMPARE(rotation.yesterdayAddress(), QStringLiteral("http://n/y1"));
    QCOMPARE(rotation.todayAddress(), QStringLiteral("http://n/t2"));

    // An empty list shows nothing on its turns; the other goes on.
    TickerRotation lonely;
    lonely.reset();
    QCOMPARE(captions(lonely, {}, yesterday, 4), (QStringList{"-", "Y:Y one", "-", "Y:Y one"}));
    QCOMPARE(lonely.todayAddress(), QString());

    // A marker in the last line shows with empty caption and tooltip.
    TickerRotation tail;
    tail.reset();
    const auto headline = tail.nextHeadline({"x", "^^setURL(http://n/z)"}, {});
    QVERIFY(headline);
    QCOMPARE(headline->address, QStringLiteral("http://n/z"));
    QCOMPARE(headline->caption, QString());
}

void TestNewsReaders::articlesCycleThroughTwelveEntries() {
    TickerRotation rotation;
    rotation.reset();
    for (int label = 1; label <= 3; ++label)
        QCOMPARE(rotation.articlePath(label), QStringLiteral("*"));
    for (int i = 0; i < 3; ++i)
        rotation.articles()[static_cast<size_t>(i)] = {QStringLiteral("T%1").arg(i + 1),
                                                       QStringLiteral("/article.asp?id=%1").arg(i + 1),
                                                       QStringLiteral("S%1").arg(i + 1)};
    QStringList shown;
    for (int tick = 0; tick < 14; ++tick) {
        const TickerRotation::Article article = rotation.nextArticle();
        shown << QStringLiteral("%1:%2").arg(article.label).arg(article.entry.title);
        QCOMPARE(rotation.articlePath(article.label), article.entry.path);
    }
    QCOMPARE(shown, (QStringList{"1:T1", "2:T2", "3:T3", "1:", "2:", "3:", "1:", "2:", "3:", "1:", "2:",
                                 "3:", "1:T1", "2:T2"}));
}

QTEST_GUILESS_MAIN(TestNewsReaders)
#include "tst_newsreaders.moc"
