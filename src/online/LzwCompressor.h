#pragma once

#include "LzwDictionary.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// The beacon's dictionary coder. Its bit stream leaves the program, so every detail below is
// format: 12-bit codes, most significant bit first, no header and no end code.
namespace statdesk {

std::vector<std::uint8_t> lzwCompress(std::span<const std::uint8_t> input);

// Replaces outputFileName with the coded bytes of inputFileName, both moved in 1024-byte blocks.
// Throws std::runtime_error with the platform's reason when a file cannot be opened, read or
// written; the output may then be incomplete.
void Compress(const QString& inputFileName, const QString& outputFileName);

} // namespace statdesk
