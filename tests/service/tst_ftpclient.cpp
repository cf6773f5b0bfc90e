#include "FtpServer.h"
#include "RecordingServer.h"
#include "TFtpClient.h"

#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using namespace statdesk;
using statdesk::test::FtpServer;
using statdesk::test::RecordingServer;

// The usage-log upload against a real FTP server, and the ways it fails.
class TestFtpClient : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void uploadKeepsBytes();
    void refusedStorReportsServerReply();
    void refusedConnection();
    void timeLimit_data();
    void timeLimit();

  private:
    void configure(TFtpClient& ftp, quint16 port) const;

    FtpServer m_server;
    QTemporaryDir m_local;
};

void TestFtpClient::initTestCase() {
    QString error;
    QVERIFY2(m_server.start(error), qPrintable(error));
    QVERIFY(m_local.isValid());
}

void TestFtpClient::configure(TFtpClient& ftp, quint16 port) const {
    ftp.setHostName("127.0.0.1");
    ftp.setPort(QString::number(port));
    ftp.setUserName("anonymous");
    ftp.setPassWord("quill");
    ftp.setLocalFileName(m_local.filePath("check.ver"));
}

void TestFtpClient::uploadKeepsBytes() {
    QByteArray content;
    for (int i = 0; i < 200000; ++i)
        content += char((i * 7 + i / 256) & 0xFF);
    content += QByteArray("\r\n\n\r\0end", 8);
    QFile file(m_local.filePath("check.ver"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    TFtpClient ftp;
    configure(ftp, m_server.port());
    ftp.setHostFileName("upload/48213");
    QVERIFY2(ftp.Connect(), qPrintable(ftp.ErrorText()));
    QVERIFY2(ftp.User(), qPrintable(ftp.ErrorText()));
    QVERIFY2(ftp.Pass(), qPrintable(ftp.ErrorText()));
    QVERIFY2(ftp.Upload(), qPrintable(ftp.ErrorText() + " / " + m_server.log()));
    QVERIFY2(ftp.Quit(), qPrintable(ftp.ErrorText()));

    const QStringList commands = m_server.receivedCommands();
    QCOMPARE(commands.size(), 5);
    QCOMPARE(commands.at(0), QString("USER anonymous"));
    QVERIFY(commands.at(1).startsWith("PASS "));
    QVERIFY2(QRegularExpression("^PORT 127,0,0,1,\\d+,\\d+$").match(commands.at(2)).hasMatch(),
             qPrintable(commands.at(2)));
    QCOMPARE(commands.at(3), QString("STOR upload/48213"));
    QCOMPARE(commands.at(4), QString("QUIT"));

    QFile uploaded(m_server.uploadedFile("48213"));
    QVERIFY(uploaded.open(QIODevice::ReadOnly));
    QCOMPARE(uploaded.readAll(), content);
}

void TestFtpClient::refusedStorReportsServerReply() {
    QFile file(m_local.filePath("check.ver"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();
    TFtpClient ftp;
    configure(ftp, m_server.port());
    ftp.setHostFileName("no-such-folder/1");
    QVERIFY(ftp.Connect());
    QVERIFY(ftp.User());
    QVERIFY(ftp.Pass());
    QVERIFY(!ftp.Upload());
    QVERIFY2(ftp.ErrorText().startsWith("553"), qPrintable(ftp.ErrorText()));
    QVERIFY(ftp.Quit()); // the control connection is still fine
}

void TestFtpClient::refusedConnection() {
    quint16 closed = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        closed = probe.serverPort();
    }
    TFtpClient ftp;
    configure(ftp, closed);
    ftp.setHostFileName("upload/1");
    QVERIFY(!ftp.Connect());
    QVERIFY2(ftp.ErrorText().contains("refused", Qt::CaseInsensitive), qPrintable(ftp.ErrorText()));
    QVERIFY(!ftp.User());
    QCOMPARE(ftp.ErrorText(), QString("not connected"));
    QVERIFY(!ftp.Pass());
    QVERIFY(!ftp.Upload());
    QVERIFY(!ftp.Quit());
}

void TestFtpClient::timeLimit_data() {
    QTest::addColumn<QByteArray>("greeting");
    QTest::addColumn<bool>("connects");
    QTest::newRow("no greeting") << QByteArray() << false;
    QTest::newRow("half a greeting") << QByteArray("220-Welcome\r\n220-more\r\n") << false;
    QTest::newRow("silent after a LF greeting") << QByteArray("220-Welcome\n220-more\n220 ready\n") << true;
}

void TestFtpClient::timeLimit() {
    QFETCH(QByteArray, greeting);
    QFETCH(bool, connects);
    RecordingServer silent;
    silent.setResponse({greeting, false, false});
    TFtpClient ftp;
    configure(ftp, silent.port());
    ftp.setTimeoutMs(300);
    QCOMPARE(ftp.Connect(), connects);
    if (connects) {
        QCOMPARE(ftp.LastReply(), QString("220 ready"));
        QVERIFY(!ftp.User());
    }
    QCOMPARE(ftp.ErrorText(), QString("426 Timeout"));
    QVERIFY(!ftp.Pass()); // the connection was closed
    QCOMPARE(ftp.ErrorText(), QString("not connected"));
}

QTEST_GUILESS_MAIN(TestFtpClient)
#include "tst_ftpclient.moc"
