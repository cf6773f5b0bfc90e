#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

namespace statdesk::test {

// A loopback TCP server that records what each connection sends and answers with scripted bytes.
class RecordingServer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RecordingServer)

  public:
    struct Response {
        QByteArray bytes;           // written once the request is complete
        bool close = true;          // close after writing; false leaves the connection open (a stall)
        bool waitForRequest = true; // false: answer (or close) as soon as the connection arrives
    };

    explicit RecordingServer(QObject* parent = nullptr);
    ~RecordingServer() override;

    quint16 port() const { return m_server.serverPort(); }
    // "127.0.0.1:port"
    QString hostPort() const;

    // Answer of every connection without a queued one.
    void setResponse(const Response& response) { m_default = response; }
    void setReply(const QByteArray& bytes) { m_default = Response{bytes, true, true}; }
    // Answers used first, one per connection, in order.
    void queueResponse(const Response& response) { m_queue.append(response); }

    // Bytes received on each connection so far, in connection order.
    QList<QByteArray> requests() const { return m_requests; }
    QByteArray lastRequest() const { return m_requests.isEmpty() ? QByteArray() : m_requests.last(); }
    int connectionCount() const { return static_cast<int>(m_requests.size()); }
    // Closes the connections left open by responses with close = false.
    void closeStalled();

  signals:
    // A request was complete and answered.
    void answered();

  private:
    void onNewConnection();
    void onReadyRead(QTcpSocket* socket, int index, const Response& response);
    void respond(QTcpSocket* socket, const Response& response);

    QTcpServer m_server;
    Response m_default;
    QList<Response> m_queue;
    QList<QByteArray> m_requests;
    QList<QPointer<QTcpSocket>> m_stalled;
};

// True when request holds a whole HTTP request: header and the body its Content-Length names.
bool isCompleteHttpRequest(const QByteArray& request);

// "HTTP/1.0 200 OK" with a Content-Length and this body.
QByteArray httpReply(const QByteArray& body);
// A page reply that announces a total and carries no rows: enough to size a grid.
QByteArray totalOnlyReply(int total);
// A list reply: a first and a last line the client drops around the values.
QByteArray listReply(const QList<QByteArray>& values);
// What follows the header of a recorded request, and the first line of that.
QByteArray bodyOf(const QByteArray& request);
QByteArray headLine(const QByteArray& request);

} // namespace statdesk::test
