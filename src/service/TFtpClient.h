#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class QTcpSocket;

namespace statdesk {

// Minimal FTP client for one active-mode upload. Each step waits for the server's reply in a nested
// event loop and returns success or failure; it never throws. Waiting fails with "426 Timeout" after
// Timeout seconds without any data from the server.
class TFtpClient final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFtpClient)

  public:
    explicit TFtpClient(QObject* parent = nullptr);
    ~TFtpClient() override;

    QString HostName() const { return m_hostName; }
    void setHostName(const QString& host) { m_hostName = host; }
    QString Port() const { return m_port; }
    void setPort(const QString& port) { m_port = port; } // a number, or "ftp" for 21
    QString UserName() const { return m_userName; }
    void setUserName(const QString& name) { m_userName = name; }
    QString PassWord() const { return m_passWord; }
    void setPassWord(const QString& password) { m_passWord = password; }
    QString LocalFileName() const { return m_localFileName; }
    void setLocalFileName(const QString& name) { m_localFileName = name; }
    QString HostFileName() const { return m_hostFileName; }
    void setHostFileName(const QString& name) { m_hostFileName = name; }
    int Timeout() const { return m_timeoutMs / 1000; }
    void setTimeout(int seconds) { m_timeoutMs = seconds * 1000; }
    // Finer limit for tests.
    void setTimeoutMs(int milliseconds) { m_timeoutMs = milliseconds; }

    bool Connect();
    bool User();
    bool Pass();
    // PORT, STOR, the file's bytes over the accepted data connection, and the final reply.
    bool Upload();
    bool Quit();

    // Text of the last failure ("426 Timeout", the server's reply line, or a socket error).
    QString ErrorText() const { return m_errorText; }
    // The last complete reply line of the server.
    QString LastReply() const { return m_lastReply; }

  signals:
    // Something happened on the data side; a waiting step looks again.
    void progressed();

  private:
    bool command(const QByteArray& line);
    bool waitForReply();
    bool waitUntil(const std::function<bool()>& done);
    void drain();
    bool hasReply() const;
    qsizetype replyLength() const;
    bool takeReply(int& code);
    bool fail(const QString& text);
    void closeControl();

    QString m_hostName;
    QString m_port = QStringLiteral("ftp");
    QString m_userName = QStringLiteral("quill");
    QString m_passWord = QStringLiteral("quill");
    QString m_localFileName = QStringLiteral("check.ver");
    QString m_hostFileName;
    int m_timeoutMs = 15000;

    QTcpSocket* m_control = nullptr;
    QByteArray m_received;
    QString m_errorText;
    QString m_lastReply;
};

} // namespace statdesk
