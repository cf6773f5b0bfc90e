#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>

namespace statdesk::test {

// A loopback server that plays a script of misbehaviour on every connection once its request is
// complete: plain writes, long streams written as the peer reads them, bytes dripped on a timer,
// a reset or a close. A script that ends without either leaves the connection open.
class HostileServer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HostileServer)

  public:
    struct Step {
        enum class Kind { Write, Stream, Drip, Reset, Close };
        Kind kind = Kind::Close;
        QByteArray bytes;   // Write: the bytes; Stream, Drip: a pattern repeated
        qint64 total = 0;   // Stream, Drip: bytes to send; Drip: < 0 forever
        int intervalMs = 0; // Drip: one byte per interval
    };
    static Step write(const QByteArray& bytes) { return {Step::Kind::Write, bytes, 0, 0}; }
    static Step stream(const QByteArray& pattern, qint64 total) {
        return {Step::Kind::Stream, pattern, total, 0};
    }
    static Step drip(const QByteArray& pattern, int intervalMs, qint64 total = -1) {
        return {Step::Kind::Drip, pattern, total, intervalMs};
    }
    // Waits until everything written has left the socket, then closes with a TCP reset.
    static Step reset() { return {Step::Kind::Reset, {}, 0, 0}; }
    static Step close() { return {Step::Kind::Close, {}, 0, 0}; }

    explicit HostileServer(QObject* parent = nullptr);
    ~HostileServer() override;

    QString hostPort() const;
    void setScript(const QList<Step>& script) { m_script = script; }
    // Connections accepted so far.
    int connectionCount() const { return m_connections; }
    // Bytes handed to the sockets of all connections so far.
    qint64 bytesWritten() const { return m_bytesWritten; }

  signals:
    // A connection received its whole request and its script started.
    void scriptStarted();
    // A dripped byte was written.
    void dripped();

  private:
    friend class HostileConnection;
    void onNewConnection();

    QTcpServer m_server;
    QList<Step> m_script;
    int m_connections = 0;
    qint64 m_bytesWritten = 0;
};

} // namespace statdesk::test
