#pragma once

#include <QString>

namespace statdesk {

// The two commands of statdesk-brand. Both throw BrandToolError with the reason they refuse.

// Compiles the description at `brandPath` and writes the branded copy of `programPath` to `outPath`.
void buildBrandedProgram(const QString& brandPath, const QString& programPath, const QString& outPath);

// The description of the record in `programPath`, as indented JSON. With `logoOut`, the logo is
// written there and named in "Logo" relative to `descriptionDir` (the folder the JSON will live in).
QByteArray showBrandedProgram(const QString& programPath, const QString& logoOut,
                              const QString& descriptionDir);

} // namespace statdesk
