#pragma once

#include "RowCache.h"

#include <QByteArrayView>
#include <QStringList>

namespace statdesk {

struct PageReadResult {
    bool hadLines = false;      // false: the reply was empty and nothing changed
    int recordsWritten = 0;     // whole or partial row blocks stored
    bool totalsWritten = false; // the totals block was reached
    bool complete = false;      // every expected line was there
};

// Reads a page reply into the cache: TotalRows, then rows pageStart+1.., then the totals block.
// A short reply keeps what was read; records past the capacity stop the reading.
PageReadResult readPageReply(QByteArrayView reply, int pageStart, int pageSize, RowCache& rows);

// Values of a list reply: every line but the first and the last, in order.
QStringList readListReply(QByteArrayView reply);

} // namespace statdesk
