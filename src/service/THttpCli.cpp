#include "THttpCli.h"

#include "EHttpException.h"
#include "HttpAddress.h"
#include "HttpExchange.h"
#include "HttpRequestText.h"
#include "ReplyLines.h"

#include <QPointer>

namespace statdesk {
namespace {

constexpr int kFailureStatus = 404;
constexpr int kMaxRedirects = 5;
int g_defaultInactivityLimitMs = 60 * 1000;

// Clears the busy state however the operation ends, unless the owner went away during the wait.
class BusyScope final {
  public:
    BusyScope(THttpCli* owner, bool& busy) : m_owner(owner), m_busy(busy) { m_busy = true; }
    ~BusyScope() {
        if (m_owner)
            m_busy = false;
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    QPointer<THttpCli> m_owner;
    bool& m_busy;
};

// A "location" starting with "/" stays on the current scheme, host and port.
QString redirectTarget(const QString& current, const QString& location) {
    if (!location.startsWith(QLatin1Char('/')))
        return location;
    const HttpAddress address = parseHttpAddress(current);
    return QString::fromLatin1(address.scheme + "://" + address.hostPort) + location;
}

} // namespace

THttpCli::THttpCli(QObject* parent) : QObject(parent), m_inactivityLimitMs(g_defaultInactivityLimitMs) {}

THttpCli::~THttpCli() {
    // Destroyed by an event handler while waiting: end the wait; run() then touches nothing of this.
    if (m_exchange)
        m_exchange->abort();
}

void THttpCli::setDefaultInactivityLimitMs(int milliseconds) {
    g_defaultInactivityLimitMs = milliseconds;
}

void THttpCli::Get() {
    run("GET");
}

void THttpCli::Post() {
    run("POST");
}

void THttpCli::Abort() {
    if (m_exchange)
        m_exchange->abort();
}

void THttpCli::run(const QByteArray& method) {
    if (m_busy)
        throw EHttpException(0, QStringLiteral("HTTP component is busy"));
    if (method == "POST" && !m_requestBody)
        throw EHttpException(0, QStringLiteral("HTTP component has nothing to post"));

    BusyScope busy(this, m_busy);
    m_statusCode = 0;
    m_reasonPhrase.clear();
    QString url = m_url;
    for (int redirects = 0; redirects <= kMaxRedirects; ++redirects) {
        QByteArray body;
        QString location;
        runOnce(method, url, body, location);
        if (location.isEmpty()) {
            if (m_replyBuffer)
                m_replyBuffer->append(body);
            return;
        }
        url = redirectTarget(url, location);
        // This client speaks plain HTTP only; another scheme would get HTTP bytes on its port.
        const QByteArray scheme = parseHttpAddress(url).scheme;
        if (scheme.toLower() != "http") {
            m_statusCode = kFailureStatus;
            m_reasonPhrase =
                QStringLiteral("redirect to an unsupported scheme: ") + QString::fromLatin1(scheme);
            throw EHttpException(m_statusCode, m_reasonPhrase);
        }
    }
    m_statusCode = kFailureStatus;
    m_reasonPhrase = QStringLiteral("too many redirects");
    throw EHttpException(m_statusCode, m_reasonPhrase);
}

void THttpCli::runOnce(const QByteArray& method, const QString& url, QByteArray& body, QString& location) {
    const HttpAddress target = parseHttpAddress(url);
    HttpRequestSettings settings;
    settings.method = method;
    settings.accept = m_accept;
    settings.agent = m_agent;
    settings.contentTypePost = m_contentTypePost;
    settings.noCache = m_noCache;
    settings.viaProxy = !m_proxy.isEmpty();
    settings.proxyUsername = m_proxyUsername;
    settings.proxyPassword = m_proxyPassword;
    settings.body = m_requestBody ? &*m_requestBody : nullptr;

    QByteArray connectHost = target.host;
    int connectPort = target.port;
    if (settings.viaProxy) {
        const HttpAddress proxy = parseHttpAddress(m_proxy);
        connectHost = proxy.host;
        const bool proxyNamesPort = proxy.hostPort.contains(':');
        connectPort = proxyNamesPort ? proxy.port : m_proxyPort.trimmed().toInt();
    }
    // A name with blanks or control bytes cannot resolve, and must not reach a header line, nor
    // (with its port as written) a proxy's request line.
    if (isUnsafeAddress(target) || isUnsafeHost(connectHost) || connectHost.isEmpty()) {
        m_statusCode = kFailureStatus;
        m_reasonPhrase = QStringLiteral("can't resolve hostname to IP address");
        throw EHttpException(m_statusCode, m_reasonPhrase);
    }

    HttpExchange exchange(connectHost, connectPort, buildHttpRequest(target, settings), m_inactivityLimitMs);
    m_exchange = &exchange;
    const QPointer<THttpCli> alive(this);
    HttpExchange::Outcome outcome = exchange.run();
    if (!alive)
        throw EHttpException(kFailureStatus, QStringLiteral("Connection aborted on request"));
    m_exchange = nullptr;

    m_statusCode = outcome.statusCode;
    m_reasonPhrase = outcome.reason;
    if (outcome.failed)
        throw EHttpException(m_statusCode, m_reasonPhrase);
    body = std::move(outcome.body);
    location = outcome.location;
}

std::optional<QStringList> getReplyLines(THttpCli& http) {
    QByteArray reply;
    http.setReplyBuffer(&reply);
    try {
        http.Get();
    } catch (const EHttpException&) {
        http.setReplyBuffer(nullptr);
        return std::nullopt;
    }
    http.setReplyBuffer(nullptr);
    return replyTextLines(reply);
}

} // namespace statdesk
