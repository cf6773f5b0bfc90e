#pragma once

#include "DatasetKind.h"
#include "PageReplyReader.h"
#include "QueryRequest.h"
#include "RequestState.h"
#include "RowCache.h"

#include "Hosts.h"

#include <QStringList>

#include <optional>

namespace statdesk {

class THttpCli;

// Endpoint address of a dataset on one service host: host[:port] plus path, no scheme.
QString endpointUrl(DatasetKind kind, hosts::StatisticsHost host);

// Posts the page query of state at http's current URL and reads the reply into rows.
// Throws EHttpException when the post fails; rows are then unchanged.
PageReadResult FetchPage(THttpCli& http, const RequestState& state, RowCache& rows);

// Posts body at http's current URL, then at the second and the primary host; a host that answers
// stays in http's URL. Returns the reply; throws the last EHttpException when all three fail, and
// the first at once when the client refused because it was busy.
QByteArray PostWithFallback(THttpCli& http, DatasetKind kind, const QByteArray& body);

// FetchPage at the current URL, then at the second and the primary host; a host that answers stays
// in http's URL. When all three fail it throws the last EHttpException and rows stay unchanged.
PageReadResult FetchPageWithFallback(THttpCli& http, DatasetKind kind, const RequestState& state,
                                     RowCache& rows);

// List query with the same three hosts; nullopt when all three fail (the caller abandons quietly).
std::optional<QStringList> FetchList(THttpCli& http, DatasetKind kind, ListKind list,
                                     const QStringList& criteria);

} // namespace statdesk
