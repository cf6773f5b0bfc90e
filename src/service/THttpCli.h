#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace statdesk {

class HttpExchange;

// HTTP/1.0 client. Get and Post wait for the whole exchange in a nested event loop, so the program
// keeps dispatching events meanwhile; a second operation on the same instance is refused.
// Failures are thrown as EHttpException.
class THttpCli final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(THttpCli)

  public:
    explicit THttpCli(QObject* parent = nullptr);
    ~THttpCli() override;

    QString URL() const { return m_url; }
    void setURL(const QString& url) { m_url = url; }
    QString Proxy() const { return m_proxy; }
    void setProxy(const QString& proxy) { m_proxy = proxy; }
    QString ProxyPort() const { return m_proxyPort; }
    void setProxyPort(const QString& port) { m_proxyPort = port; }
    QString ProxyUsername() const { return m_proxyUsername; }
    void setProxyUsername(const QString& name) { m_proxyUsername = name; }
    QString ProxyPassword() const { return m_proxyPassword; }
    void setProxyPassword(const QString& password) { m_proxyPassword = password; }
    QString Agent() const { return m_agent; }
    void setAgent(const QString& agent) { m_agent = agent; }
    QString Accept() const { return m_accept; }
    void setAccept(const QString& accept) { m_accept = accept; }
    bool NoCache() const { return m_noCache; }
    void setNoCache(bool noCache) { m_noCache = noCache; }
    QString ContentTypePost() const { return m_contentTypePost; }
    void setContentTypePost(const QString& type) { m_contentTypePost = type; }

    // The body Post sends; none set means Post refuses at once.
    void setRequestBody(const QByteArray& body) { m_requestBody = body; }
    void clearRequestBody() { m_requestBody.reset(); }
    // Where the reply body is appended; nullptr discards it. The caller owns the buffer.
    void setReplyBuffer(QByteArray* buffer) { m_replyBuffer = buffer; }
    QByteArray* ReplyBuffer() const { return m_replyBuffer; }

    // Status code and reason of the last operation (0 and empty while none has ended).
    int StatusCode() const { return m_statusCode; }
    QString ReasonPhrase() const { return m_reasonPhrase; }
    bool isBusy() const { return m_busy; }

    // An exchange that receives nothing for this long fails; 60 seconds unless changed.
    void setInactivityLimitMs(int milliseconds) { m_inactivityLimitMs = milliseconds; }
    int inactivityLimitMs() const { return m_inactivityLimitMs; }
    // The limit new instances start with (tests shorten it for instances they cannot reach).
    static void setDefaultInactivityLimitMs(int milliseconds);

    void Get();
    void Post();
    // Ends the pending exchange ("Connection aborted on request"); on a ready instance a no-op.
    void Abort();

  private:
    void run(const QByteArray& method);
    void runOnce(const QByteArray& method, const QString& url, QByteArray& body, QString& location);

    QString m_url;
    QString m_proxy;
    QString m_proxyPort = QStringLiteral("80");
    QString m_proxyUsername;
    QString m_proxyPassword;
    QString m_agent = QStringLiteral("Mozilla/3.0 (compatible)");
    QString m_accept = QStringLiteral("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    bool m_noCache = false;
    QString m_contentTypePost = QStringLiteral("application/x-www-form-urlencoded");
    std::optional<QByteArray> m_requestBody;
    QByteArray* m_replyBuffer = nullptr;

    int m_statusCode = 0;
    QString m_reasonPhrase;
    bool m_busy = false;
    int m_inactivityLimitMs;
    HttpExchange* m_exchange = nullptr; // the running exchange, owned by run()'s frame
};

// Gets the client's URL and splits the reply into lines (read as Windows-1252); nothing when the
// request fails, for the optional lists a copy can do without.
std::optional<QStringList> getReplyLines(THttpCli& http);

} // namespace statdesk
