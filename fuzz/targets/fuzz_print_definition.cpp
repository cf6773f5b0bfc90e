// The print definition loader on any file bytes, for either family. A bad file leaves the options as
// they were and names a line; a good one, saved and loaded again, saves the same bytes.
#include "FuzzSupport.h"
#include "PrintDefinitionFile.h"
#include "PrintOptions.h"

using namespace statdesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const Family family = data[0] & 1 ? Family::Teams : Family::Players;
    const QByteArray file(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));

    PrintOptions options;
    options.prepare(family);
    const PrintOptions before = options;
    if (const std::optional<PrintDefinitionError> error = loadPrintDefinition(file, options)) {
        FUZZ_CHECK(options == before);
        FUZZ_CHECK(error->line >= 1);
        FUZZ_CHECK_MSG(error->text.contains(QString::number(error->line)), error->text.toStdString());
        return 0;
    }
    FUZZ_CHECK(options.tableCount() <= PrintOptions::TableCapacity);
    const QByteArray saved = writePrintDefinition(options);
    PrintOptions reloaded;
    reloaded.prepare(family);
    FUZZ_CHECK(!loadPrintDefinition(saved, reloaded).has_value());
    FUZZ_CHECK(writePrintDefinition(reloaded) == saved);
    return 0;
}
