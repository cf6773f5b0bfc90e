#pragma once

#include "DatasetKind.h"

#include <QString>

#include <array>

// The eight banner pictures of the four table windows, numbered 1 to 8: the dataset's first and
// second picture in dataset order. Process-wide, because a click on a picture must carry the number
// of the request that fetched it, also in a window opened again later.
namespace statdesk {

inline constexpr int kBannerSlots = 8;

// Slot 1 to 8 of a dataset's picture 1 or 2.
int bannerSlot(DatasetKind kind, int picture);

// The slot after `current` (0 to 8) whose dataset has been opened, going from 8 back to 1; 0 when
// no dataset has been opened.
int nextBannerSlot(int current, const std::array<int, 4>& opened);

// The random number of the request that last filled each slot (index slot - 1); 0 until then.
std::array<qint32, kBannerSlots>& bannerSlotNumbers();

// Position of the first "{" of a banner address template, else of its first "}", else -1.
qsizetype bannerPlaceHolder(const QString& address);
// The template with its place holder, if any, replaced by the number.
QString bannerAddressWith(const QString& address, qint32 number);

} // namespace statdesk
