#pragma once

#include "BrandRecord.h"

#include <QString>

namespace statdesk {

// Start-up steps 2 to 5: measures the program file through "temp.exe", extracts the record through
// "temp.txt", reads its fields and writes "logo.bmp", all in the current working folder.
// Throws StartupError with the message to show; no temporary file is left behind either way.
BrandRecord loadBrandRecordFromProgram(const QString& programPath);

} // namespace statdesk
