// The version list and brand settings readers on any list. The input's first line is the copy's
// brand home, its second the copy's version text, the rest the list as the site sends it.
#include "FuzzSupport.h"
#include "ReplyLines.h"
#include "VersionLists.h"

using namespace statdesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QStringList lines =
        replyTextLines(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QString brandHome = lines.isEmpty() ? QString() : lines.takeFirst();
    const QString version = lines.isEmpty() ? QString() : lines.takeFirst();

    const bool outOfDate = versionListSaysOutOfDate(lines, brandHome, version);
    FUZZ_CHECK(!lines.isEmpty() || !outOfDate);

    const BannerSettings current{3, QStringLiteral("http://banner/"), QStringLiteral("http://click/")};
    const std::optional<BannerSettings> settings = bannerSettingsFromList(lines, brandHome, current);
    // Without a line naming the brand nothing but the count can change.
    if (settings && !lines.contains(brandHome)) {
        FUZZ_CHECK(settings->count == 0);
        FUZZ_CHECK(settings->address == current.address && settings->clickAddress == current.clickAddress);
    }
    return 0;
}
