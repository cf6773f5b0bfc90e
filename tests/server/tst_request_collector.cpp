#include "RequestCollector.h"

#include <QtTest>

using statdesk::server::RequestCollector;
using Verdict = RequestCollector::Verdict;

Q_DECLARE_METATYPE(Verdict)

// When a connection's bytes are a request for a worker, and when they are refused without one.
class RequestCollectorTest : public QObject {
    Q_OBJECT

  private slots:
    void verdicts_data();
    void verdicts();
};

void RequestCollectorTest::verdicts_data() {
    QTest::addColumn<QByteArray>("received");
    QTest::addColumn<Verdict>("verdict");
    const QByteArray post = "POST /cgi-bin/getbplayer-1.exe HTTP/1.0\r\nHost: a\r\n";
    const qsizetype cap = 64 * 1024;
    QTest::newRow("nothing yet") << QByteArray() << Verdict::Incomplete;
    QTest::newRow("request line only") << QByteArray("GET / HTTP/1.0\r\n") << Verdict::Incomplete;
    QTest::newRow("get, whole") << QByteArray("GET / HTTP/1.0\r\nHost: a\r\n\r\n") << Verdict::Complete;
    QTest::newRow("head ended by bare line feeds")
        << QByteArray("GET / HTTP/1.0\nHost: a\n\n") << Verdict::Complete;
    QTest::newRow("body on its way") << post + "Content-Length: 10\r\n\r\n12345" << Verdict::Incomplete;
    QTest::newRow("body whole") << post + "content-length:  10 \r\n\r\n1234567890" << Verdict::Complete;
    QTest::newRow("body at the cap") << post + "Content-Length: 65536\r\n\r\n" + QByteArray(cap, 'x')
                                     << Verdict::Complete;
    QTest::newRow("length one over the cap, no body yet") << post + "Content-Length: 65537\r\n\r\n"
                                                          << Verdict::BodyTooLarge;
    QTest::newRow("length of 1 GiB") << post + "Content-Length: 1073741824\r\n\r\n0!"
                                     << Verdict::BodyTooLarge;
    QTest::newRow("length that is no number") << post + "Content-Length: 12x\r\n\r\n" << Verdict::Complete;
    QTest::newRow("chunked, unfinished") << post + "Transfer-Encoding: chunked\r\n\r\n5\r\nabcde\r\n"
                                         << Verdict::Incomplete;
    QTest::newRow("chunked, last chunk") << post + "Transfer-Encoding: chunked\r\n\r\n5\r\nabcde\r\n0\r\n\r\n"
                                         << Verdict::Complete;
    QTest::newRow("chunked, empty") << post + "Transfer-Encoding: chunked\r\n\r\n0\r\n\r\n"
                                    << Verdict::Complete;
    QTest::newRow("chunked, over the cap")
        << post + "Transfer-Encoding: chunked\r\n\r\n" + QByteArray(cap + 1, 'x') << Verdict::BodyTooLarge;
    QTest::newRow("head at 16 KiB, unended")
        << "GET / HTTP/1.0\r\nX: " + QByteArray(16 * 1024 - 19, 'a') << Verdict::Incomplete;
    QTest::newRow("head past 16 KiB, unended")
        << "GET / HTTP/1.0\r\nX: " + QByteArray(16 * 1024 - 18, 'a') << Verdict::HeadTooLarge;
}

void RequestCollectorTest::verdicts() {
    QFETCH(QByteArray, received);
    QTEST(RequestCollector::judge(std::string_view(received.constData(), size_t(received.size())), 64 * 1024),
          "verdict");
}

QTEST_GUILESS_MAIN(RequestCollectorTest)
#include "tst_request_collector.moc"
