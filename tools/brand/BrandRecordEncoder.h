#pragma once

#include "BrandRecord.h"

#include <QByteArray>

namespace statdesk {

// The stored form of `record` with `logo` as its logo bytes: exactly what start-up reads back.
// Throws BrandToolError for what the stored form cannot hold or a program could not read: a string
// over 255 bytes or with a character beyond one byte, a logo that is not a bitmap or too long, a
// record longer than start-up reads.
QByteArray encodeBrandRecord(const BrandRecord& record, const QByteArray& logo);

} // namespace statdesk
