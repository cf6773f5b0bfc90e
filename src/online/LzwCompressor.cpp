#include "LzwCompressor.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cassert>
#include <functional>
#include <stdexcept>

namespace statdesk {

using namespace lzw;

namespace {

// Cuts the input into phrases as it arrives, so a phrase may span any number of input blocks;
// the coded bytes leave in blocks of 1024.
class Coder final {
  public:
    using Sink = std::function<void(const std::uint8_t*, int)>;
    explicit Coder(Sink sink) : m_sink(std::move(sink)) {}

    void feed(const std::uint8_t* bytes, std::size_t count) {
        std::size_t i = 0;
        while (i < count) {
            if (m_current == NoCode) {
                m_current = bytes[i];
                m_phrase[0] = bytes[i++];
                m_length = 1;
            }
            i += m_dictionary.match(m_current, m_length, m_phrase.data(), {bytes + i, count - i});
            if (i < count)
                endPhrase(m_current, m_length);
        }
    }

    void finish() {
        if (m_current != NoCode)
            endPhrase(m_current, m_length);
        if (m_pending != NoCode) {
            put(std::uint8_t(m_pending >> 4));
            put(std::uint8_t((m_pending & 0xF) << 4));
        }
        if (m_used > 0)
            m_sink(m_block.data(), m_used);
    }

  private:
    void endPhrase(int code, int length) {
        assert(length <= MaxStringLength);
        m_dictionary.touch(code);
        write(code);
        if (m_previous != NoCode)
            m_dictionary.learn(m_previous, m_previousLength, m_phrase.data(), length);
        m_previous = code;
        m_previousLength = length;
        m_current = NoCode;
    }

    // Codes go out in pairs: two 12-bit codes fill three bytes exactly.
    void write(int code) {
        if (m_pending == NoCode) {
            m_pending = code;
            return;
        }
        put(std::uint8_t(m_pending >> 4));
        put(std::uint8_t(((m_pending & 0xF) << 4) | (code >> 8)));
        put(std::uint8_t(code & 0xFF));
        m_pending = NoCode;
    }

    void put(std::uint8_t byte) {
        m_block[m_used++] = byte;
        if (m_used == BlockSize) {
            m_sink(m_block.data(), m_used);
            m_used = 0;
        }
    }

    LzwDictionary m_dictionary;
    std::array<std::uint8_t, MaxStringLength> m_phrase{};
    int m_current = NoCode;
    int m_length = 0;
    int m_previous = NoCode;
    int m_previousLength = 0;
    int m_pending = NoCode;
    std::array<std::uint8_t, BlockSize> m_block{};
    int m_used = 0;
    Sink m_sink;
};

[[noreturn]] void fail(const QString& what, const QString& path, const QString& reason) {
    throw std::runtime_error(QStringLiteral("%1 %2: %3").arg(what, path, reason).toStdString());
}

} // namespace

std::vector<std::uint8_t> lzwCompress(std::span<const std::uint8_t> input) {
    std::vector<std::uint8_t> output;
    output.reserve(input.size() * 3 / 2 + 2);
    Coder coder([&output](const std::uint8_t* bytes, int count) {
        output.insert(output.end(), bytes, bytes + count);
    });
    coder.feed(input.data(), input.size());
    coder.finish();
    return output;
}

void Compress(const QString& inputFileName, const QString& outputFileName) {
    QFile input(inputFileName);
    if (!input.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Cannot open file"), inputFileName, input.errorString());
    QFile output(outputFileName);
    if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("Cannot create file"), outputFileName, output.errorString());
    Coder coder([&output, &outputFileName](const std::uint8_t* bytes, int count) {
        if (output.write(reinterpret_cast<const char*>(bytes), count) != count)
            fail(QStringLiteral("Cannot write file"), outputFileName, output.errorString());
    });
    std::array<char, BlockSize> block;
    for (;;) {
        const qint64 count = input.read(block.data(), BlockSize);
        if (count < 0)
            fail(QStringLiteral("Cannot read file"), inputFileName, input.errorString());
        if (count == 0)
            break;
        coder.feed(reinterpret_cast<const std::uint8_t*>(block.data()), std::size_t(count));
    }
    coder.finish();
    if (!output.flush())
        fail(QStringLiteral("Cannot write file"), outputFileName, output.errorString());
}

} // namespace statdesk
