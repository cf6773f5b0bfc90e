#pragma once

#include <QImage>

#include <filesystem>

namespace statdesk::banners {

// Writes the image as a single-frame GIF of at most 256 colours (median cut over the image's own
// colours); the file appears whole or not at all. Throws std::runtime_error naming the file.
void writeGif(const QImage& image, const std::filesystem::path& file);

} // namespace statdesk::banners
