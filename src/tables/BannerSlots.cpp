#include "BannerSlots.h"

namespace statdesk {

int bannerSlot(DatasetKind kind, int picture) {
    return static_cast<int>(kind) * 2 + (picture == 2 ? 2 : 1);
}

int nextBannerSlot(int current, const std::array<int, 4>& opened) {
    for (int step = 1; step <= kBannerSlots; ++step) {
        const int slot = (current + step - 1) % kBannerSlots + 1;
        if (opened.at(static_cast<size_t>((slot - 1) / 2)) != 0)
            return slot;
    }
    return 0;
}

std::array<qint32, kBannerSlots>& bannerSlotNumbers() {
    static std::array<qint32, kBannerSlots> numbers{};
    return numbers;
}

qsizetype bannerPlaceHolder(const QString& address) {
    const qsizetype brace = address.indexOf(QLatin1Char('{'));
    return brace >= 0 ? brace : address.indexOf(QLatin1Char('}'));
}

QString bannerAddressWith(const QString& address, qint32 number) {
    QString filled = address;
    const qsizetype at = bannerPlaceHolder(address);
    if (at >= 0)
        filled.replace(at, 1, QString::number(number));
    return filled;
}

} // namespace statdesk
