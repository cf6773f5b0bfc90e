#include "GifWriter.h"

#include <QSaveFile>

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace statdesk::banners {
namespace {

constexpr int kPaletteSize = 256;
constexpr int kBinBits = 5; // per channel: fine enough for gradients, small enough to sort

struct Bin {
    uint32_t count = 0;
    std::array<uint64_t, 3> sum{}; // red, green, blue
    int channel(int c) const { return static_cast<int>(sum[static_cast<size_t>(c)] / count); }
};

int binOf(QRgb pixel) {
    constexpr int shift = 8 - kBinBits;
    return ((qRed(pixel) >> shift) << (2 * kBinBits)) | ((qGreen(pixel) >> shift) << kBinBits) |
           (qBlue(pixel) >> shift);
}

struct Box {
    size_t begin, end; // a range of the occupied bins
    uint64_t count;
    int axis, spread; // the channel with the widest range of colours, and that range
};

class Quantizer {
  public:
    explicit Quantizer(const QImage& image) : m_bins(size_t{1} << (3 * kBinBits)) {
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                Bin& bin = m_bins[static_cast<size_t>(binOf(line[x]))];
                bin.count += 1;
                bin.sum[0] += static_cast<uint64_t>(qRed(line[x]));
                bin.sum[1] += static_cast<uint64_t>(qGreen(line[x]));
                bin.sum[2] += static_cast<uint64_t>(qBlue(line[x]));
            }
        }
        for (size_t i = 0; i < m_bins.size(); ++i) {
            if (m_bins[i].count > 0)
                m_occupied.push_back(static_cast<int>(i));
        }
        split();
        mapBins();
    }

    const std::vector<GifColorType>& palette() const { return m_palette; }
    GifPixelType indexOf(QRgb pixel) const { return m_index[static_cast<size_t>(binOf(pixel))]; }

  private:
    Box measure(size_t begin, size_t end) const {
        Box box{begin, end, 0, 0, 0};
        std::array<int, 3> low{255, 255, 255}, high{0, 0, 0};
        for (size_t i = begin; i < end; ++i) {
            const Bin& bin = m_bins[static_cast<size_t>(m_occupied[i])];
            box.count += bin.count;
            for (int c = 0; c < 3; ++c) {
                low[static_cast<size_t>(c)] = std::min(low[static_cast<size_t>(c)], bin.channel(c));
                high[static_cast<size_t>(c)] = std::max(high[static_cast<size_t>(c)], bin.channel(c));
            }
        }
        for (int c = 0; c < 3; ++c) {
            const int spread = high[static_cast<size_t>(c)] - low[static_cast<size_t>(c)];
            if (spread > box.spread) {
                box.spread = spread;
                box.axis = c;
            }
        }
        return box;
    }

    // Median cut: split the box whose colours are most spread out (weighted by its pixels) at the
    // pixel median of its widest channel, until the palette is full or no box can be split.
    void split() {
        std::vector<Box> boxes = {measure(0, m_occupied.size())};
        while (boxes.size() < kPaletteSize) {
            auto widest = std::max_element(boxes.begin(), boxes.end(), [](const Box& a, const Box& b) {
                const bool aSplits = a.end - a.begin > 1, bSplits = b.end - b.begin > 1;
                if (aSplits != bSplits)
                    return bSplits;
                return a.spread * static_cast<double>(a.count) < b.spread * static_cast<double>(b.count);
            });
            if (widest == boxes.end() || widest->end - widest->begin < 2)
                break;
            const Box box = *widest;
            std::sort(m_occupied.begin() + static_cast<std::ptrdiff_t>(box.begin),
                      m_occupied.begin() + static_cast<std::ptrdiff_t>(box.end), [&](int a, int b) {
                          return m_bins[static_cast<size_t>(a)].channel(box.axis) <
                                 m_bins[static_cast<size_t>(b)].channel(box.axis);
                      });
            size_t cut = box.begin + 1;
            uint64_t below = m_bins[static_cast<size_t>(m_occupied[box.begin])].count;
            while (cut + 1 < box.end && below * 2 < box.count)
                below += m_bins[static_cast<size_t>(m_occupied[cut++])].count;
            *widest = measure(box.begin, cut);
            boxes.push_back(measure(cut, box.end));
        }
        m_palette.assign(kPaletteSize, GifColorType{0, 0, 0});
        for (size_t i = 0; i < boxes.size(); ++i) {
            std::array<uint64_t, 3> sum{};
            for (size_t b = boxes[i].begin; b < boxes[i].end; ++b) {
                for (size_t c = 0; c < 3; ++c)
                    sum[c] += m_bins[static_cast<size_t>(m_occupied[b])].sum[c];
            }
            const auto mean = [&](size_t c) { return static_cast<GifByteType>(sum[c] / boxes[i].count); };
            m_palette[i] = {mean(0), mean(1), mean(2)};
        }
        m_used = boxes.size();
    }

    // Every bin takes the nearest palette colour, not just its own box's.
    void mapBins() {
        m_index.assign(m_bins.size(), 0);
        for (int occupied : m_occupied) {
            const Bin& bin = m_bins[static_cast<size_t>(occupied)];
            int best = 0;
            long bestDistance = -1;
            for (size_t p = 0; p < m_used; ++p) {
                const long dr = bin.channel(0) - m_palette[p].Red, dg = bin.channel(1) - m_palette[p].Green,
                           db = bin.channel(2) - m_palette[p].Blue;
                const long distance = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || distance < bestDistance) {
                    bestDistance = distance;
                    best = static_cast<int>(p);
                }
            }
            m_index[static_cast<size_t>(occupied)] = static_cast<GifPixelType>(best);
        }
    }

    std::vector<Bin> m_bins;
    std::vector<int> m_occupied;
    std::vector<GifColorType> m_palette;
    size_t m_used = 0;
    std::vector<GifPixelType> m_index;
};

// giflib hands every encoded block to this; a short write fails the encoder.
int writeBlock(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* file = static_cast<QSaveFile*>(gif->UserData);
    return static_cast<int>(file->write(reinterpret_cast<const char*>(bytes), length));
}

} // namespace

void writeGif(const QImage& source, const std::filesystem::path& file) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const Quantizer quantizer(image);
    const std::unique_ptr<ColorMapObject, void (*)(ColorMapObject*)> map(
        GifMakeMapObject(kPaletteSize, quantizer.palette().data()), GifFreeMapObject);
    if (!map)
        throw std::runtime_error("cannot make a GIF colour map for " + file.string());

    QSaveFile out(QString::fromStdString(file.string()));
    if (!out.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + file.string() + ": " + out.errorString().toStdString());
    int error = 0;
    GifFileType* gif = EGifOpen(&out, writeBlock, &error);
    bool written = gif &&
                   EGifPutScreenDesc(gif, image.width(), image.height(), 8, 0, map.get()) != GIF_ERROR &&
                   EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) != GIF_ERROR;
    std::vector<GifPixelType> line(static_cast<size_t>(image.width()));
    for (int y = 0; written && y < image.height(); ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[static_cast<size_t>(x)] = quantizer.indexOf(pixels[x]);
        written = EGifPutLine(gif, line.data(), image.width()) != GIF_ERROR;
    }
    if (gif) {
        if (!written)
            error = gif->Error;
        int closeError = 0;
        // Closing writes the trailer and frees the encoder whatever happened before.
        if (EGifCloseFile(gif, &closeError) == GIF_ERROR && written) {
            written = false;
            error = closeError;
        }
    }
    if (!written || !out.commit()) {
        const char* reason = written ? nullptr : GifErrorString(error);
        throw std::runtime_error("cannot write " + file.string() + ": " +
                                 (reason ? std::string(reason) : out.errorString().toStdString()));
    }
}

} // namespace statdesk::banners
