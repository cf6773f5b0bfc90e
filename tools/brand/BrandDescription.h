#pragma once

#include "BrandRecord.h"

#include <QJsonObject>
#include <QString>

namespace statdesk {

// A brand as the tool reads it from JSON: the record's fields and where its logo file is.
struct BrandDescription {
    BrandRecord Record;
    QString LogoPath; // absolute; empty for no logo
};

// Parses a description; a relative "Logo" path is taken from `baseDir` (the JSON file's folder).
// Throws BrandToolError for unknown keys, wrong types and values out of range.
BrandDescription parseBrandDescription(const QByteArray& json, const QString& baseDir);

// The description of `record`; `logoPath` goes into "Logo" as given, left out when empty.
QJsonObject describeBrand(const BrandRecord& record, const QString& logoPath);

} // namespace statdesk
