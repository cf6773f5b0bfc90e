// The list reply reader behind the select dialog's lists, on any reply bytes: every value is one
// whole line, so none holds a line end or the NUL that ends the text.
#include "FuzzSupport.h"
#include "PageReplyReader.h"

using namespace statdesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView reply(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList values = readListReply(reply);
    qsizetype lineEnds = 0;
    for (const char c : reply)
        lineEnds += c == '\n' || c == '\r';
    // A value sits between the first and the last line.
    FUZZ_CHECK(values.size() <= std::max<qsizetype>(lineEnds - 1, 0));
    for (const QString& value : values) {
        FUZZ_CHECK(!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')));
        FUZZ_CHECK(!value.contains(QChar(0)));
    }
    return 0;
}
