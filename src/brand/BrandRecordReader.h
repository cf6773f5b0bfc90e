#pragma once

#include "BrandRecord.h"

class QIODevice;

namespace statdesk {

// Reads the record's fields in stored order from `record`. When the logo field arrives, `logo` is
// opened for writing (truncated) and receives the logo bytes as they are, even when there are none.
// Throws StartupError: "Read beyond end of file" when the record ends before its last field.
BrandRecord readBrandRecord(QIODevice& record, QIODevice& logo);

} // namespace statdesk
