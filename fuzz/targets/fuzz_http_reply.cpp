// The HTTP reply parser on any reply bytes. The first byte cuts the rest into the pieces the socket
// delivers; the parser must end in the same state however the bytes arrive, and never accept a reply
// cut inside its head or a body shorter than its Content-Length. A redirect's address
// must give a request that the guard either refuses or that keeps to its request line and headers.
#include "FuzzSupport.h"
#include "HttpAddress.h"
#include "HttpReplyParser.h"
#include "HttpRequestText.h"

#include <QList>

using namespace statdesk;

namespace {

struct State {
    bool failed;
    QString error;
    int statusCode;
    QString reason;
    QString location;
    bool receivedAny;
    QByteArray body;
    bool operator==(const State&) const = default;
};

// Bodies are capped low so that the size limit is reached by small inputs too.
constexpr qsizetype kBodyLimit = 4096;

State finalState(HttpReplyParser& parser) {
    return {parser.failed(),   parser.error(),       parser.statusCode(), parser.reason(),
            parser.location(), parser.receivedAny(), parser.body()};
}

// The bytes, then the server closing the connection.
State parseWhole(QByteArrayView reply) {
    HttpReplyParser parser(kBodyLimit);
    if (parser.feed(reply))
        parser.finish();
    return finalState(parser);
}

State parseInPieces(QByteArrayView reply, std::uint8_t seed) {
    HttpReplyParser parser(kBodyLimit);
    std::uint32_t state = seed * 2654435761u + 1;
    while (!reply.isEmpty()) {
        state = state * 1103515245u + 12345u;
        const qsizetype piece = std::min<qsizetype>(reply.size(), 1 + (state >> 16) % 17);
        if (!parser.feed(reply.first(piece)))
            return finalState(parser);
        reply = reply.sliced(piece);
    }
    parser.finish();
    return finalState(parser);
}

// Every line of the request head ends in CR LF and holds no other CR or LF; the request line is
// method, target and version, parted by single blanks.
void checkRequestHead(const QByteArray& request) {
    const qsizetype headEnd = request.indexOf("\r\n\r\n");
    FUZZ_CHECK(headEnd > 0);
    const QList<QByteArray> lines = request.left(headEnd).split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray line = i + 1 < lines.size() ? lines[i].chopped(1) : lines[i];
        FUZZ_CHECK(i + 1 == lines.size() || lines[i].endsWith('\r'));
        FUZZ_CHECK_MSG(!line.contains('\r'), request.toStdString());
    }
    FUZZ_CHECK_MSG(lines.first().count(' ') == 2, request.toStdString());
}

void checkRedirect(const QString& location) {
    // A location starting with "/" keeps the current scheme, host and port.
    const QString target =
        location.startsWith(QLatin1Char('/')) ? QStringLiteral("http://127.0.0.1:8470") + location : location;
    const HttpAddress address = parseHttpAddress(target);
    // What THttpCli refuses: a redirect to another scheme; before connecting, no host or an unsafe
    // address.
    if (address.scheme.toLower() != "http" || address.host.isEmpty() || isUnsafeAddress(address))
        return;
    for (const bool viaProxy : {false, true}) {
        HttpRequestSettings settings;
        settings.method = "GET";
        settings.viaProxy = viaProxy;
        checkRequestHead(buildHttpRequest(address, settings));
    }
}

// The Content-Length the reply's head declares, read here on its own: the last such line whose
// value is all digits; -1 without one.
qsizetype declaredLength(QByteArrayView reply) {
    qsizetype declared = -1;
    for (const QByteArray& rawLine : reply.toByteArray().split('\n')) {
        const QByteArray line = rawLine.endsWith('\r') ? rawLine.chopped(1) : rawLine;
        if (line.isEmpty())
            break;
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed().toLower() != "content-length")
            continue;
        const QByteArray value = line.mid(colon + 1).trimmed();
        bool digits = !value.isEmpty() && value.size() <= 18;
        for (char c : value)
            digits = digits && c >= '0' && c <= '9';
        if (digits)
            declared = value.toLongLong();
    }
    return declared;
}

// Whether the reply's head ended: some line ended by LF is empty once a CR before the LF is
// dropped.
bool headEnded(QByteArrayView reply) {
    for (qsizetype start = 0;;) {
        const qsizetype lf = reply.indexOf('\n', start);
        if (lf < 0)
            return false;
        const qsizetype length = lf - start;
        if (length == 0 || (length == 1 && reply[start] == '\r'))
            return true;
        start = lf + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArrayView reply(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    const State whole = parseWhole(reply);
    const State pieces = parseInPieces(reply, data[0]);
    FUZZ_CHECK(whole == pieces);
    FUZZ_CHECK(whole.body.size() <= kBodyLimit);
    // A reply cut short, inside its head or of the length it declared, is never taken as whole.
    if (!whole.failed && whole.statusCode != 0) {
        FUZZ_CHECK(headEnded(reply));
        FUZZ_CHECK(whole.body.size() >= declaredLength(reply));
    }
    if (!whole.failed && !whole.location.isEmpty())
        checkRedirect(whole.location);
    return 0;
}
