#include "StatsQueryClient.h"

#include "EHttpException.h"
#include "THttpCli.h"

namespace statdesk {
namespace {

// Posts body at http's URL; the reply bytes, or EHttpException.
QByteArray post(THttpCli& http, const QByteArray& body) {
    QByteArray reply;
    http.setRequestBody(body);
    http.setReplyBuffer(&reply);
    try {
        http.Post();
    } catch (...) {
        http.setReplyBuffer(nullptr);
        http.clearRequestBody();
        throw;
    }
    http.setReplyBuffer(nullptr);
    http.clearRequestBody();
    return reply;
}

// A busy client refuses with status 0 before any exchange; another host would not help.
bool isRefusal(const EHttpException& failure) {
    return failure.statusCode() == 0;
}

constexpr hosts::StatisticsHost kFallbackHosts[] = {hosts::StatisticsHost::Second,
                                                    hosts::StatisticsHost::Primary};

} // namespace

QString endpointUrl(DatasetKind kind, hosts::StatisticsHost host) {
    return hosts::statistics(host) + datasetPath(kind);
}

PageReadResult FetchPage(THttpCli& http, const RequestState& state, RowCache& rows) {
    const QByteArray reply = post(http, buildPageQuery(state));
    return readPageReply(reply, state.PageStart, state.PageSize, rows);
}

QByteArray PostWithFallback(THttpCli& http, DatasetKind kind, const QByteArray& body) {
    try {
        return post(http, body);
    } catch (const EHttpException& failure) {
        if (isRefusal(failure))
            throw;
    }
    for (size_t i = 0; i < std::size(kFallbackHosts); ++i) {
        http.setURL(endpointUrl(kind, kFallbackHosts[i]));
        try {
            return post(http, body);
        } catch (const EHttpException&) {
            if (i + 1 == std::size(kFallbackHosts))
                throw;
        }
    }
    return {};
}

PageReadResult FetchPageWithFallback(THttpCli& http, DatasetKind kind, const RequestState& state,
                                     RowCache& rows) {
    const QByteArray reply = PostWithFallback(http, kind, buildPageQuery(state));
    return readPageReply(reply, state.PageStart, state.PageSize, rows);
}

std::optional<QStringList> FetchList(THttpCli& http, DatasetKind kind, ListKind list,
                                     const QStringList& criteria) {
    try {
        return readListReply(PostWithFallback(http, kind, buildListQuery(list, criteria)));
    } catch (const EHttpException&) {
        return std::nullopt;
    }
}

} // namespace statdesk
