// The brand record reader on any record bytes. A record it accepts, written back by the brand tool
// and read again, must give the same bytes: whatever start-up takes from a record survives the tool.
#include "BrandRecordEncoder.h"
#include "BrandRecordReader.h"
#include "BrandToolError.h"
#include "FuzzSupport.h"
#include "StartupError.h"

#include <QBuffer>
#include <QGuiApplication>

#include <optional>

using namespace statdesk;

namespace {

struct Reading {
    BrandRecord record;
    QByteArray logo;
};

std::optional<Reading> read(const QByteArray& bytes) {
    QByteArray recordBytes = bytes;
    QBuffer record(&recordBytes);
    record.open(QIODevice::ReadOnly);
    QByteArray logoBytes;
    QBuffer logo(&logoBytes);
    try {
        Reading reading{readBrandRecord(record, logo), {}};
        FUZZ_CHECK(!logo.isOpen());
        reading.logo = logoBytes;
        return reading;
    } catch (const StartupError& error) {
        // In memory nothing can fail but the record's end.
        FUZZ_CHECK_MSG(error.message() == QStringLiteral("Read beyond end of file"),
                       error.message().toStdString());
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_brand_record";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = (fuzz::useOffscreenPlatform(), new QGuiApplication(argc, argv));
    (void)app;

    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<Reading> first = read(input);
    if (!first)
        return 0;
    QByteArray written;
    try {
        written = encodeBrandRecord(first->record, first->logo);
    } catch (const BrandToolError&) {
        return 0; // a logo the tool refuses (not a bitmap) or a record too long to start from
    }
    const std::optional<Reading> second = read(written);
    FUZZ_CHECK(second.has_value());
    FUZZ_CHECK(second->logo == first->logo);
    FUZZ_CHECK(encodeBrandRecord(second->record, second->logo) == written);
    return 0;
}
