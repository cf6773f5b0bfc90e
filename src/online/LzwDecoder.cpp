#include "LzwDecoder.h"

#include "LzwDictionary.h"

#include <array>

namespace statdesk {

std::vector<std::uint8_t> lzwDecode(std::span<const std::uint8_t> stream) {
    // Every two codes fill three bytes; a lone last code leaves four zero bits.
    const std::size_t size = stream.size();
    if (size % 3 == 1)
        throw LzwStreamError("LZW stream of " + std::to_string(size) + " bytes ends inside a code");
    if (size % 3 == 2 && (stream[size - 1] & 0x0F) != 0)
        throw LzwStreamError("LZW stream ends with padding bits that are not zero");
    const std::size_t codes = size / 3 * 2 + (size % 3 == 2 ? 1 : 0);

    std::vector<std::uint8_t> output;
    output.reserve(codes * 2);
    LzwDictionary dictionary;
    std::array<std::uint8_t, lzw::MaxStringLength> phrase;
    int previous = lzw::NoCode;
    int previousLength = 0;
    for (std::size_t index = 0; index < codes; ++index) {
        const std::uint8_t* at = stream.data() + index / 2 * 3;
        const int code = index % 2 == 0 ? (at[0] << 4) | (at[1] >> 4) : ((at[1] & 0x0F) << 8) | at[2];
        if (!dictionary.knows(code))
            throw LzwStreamError("unknown LZW code " + std::to_string(code) + " at index " +
                                 std::to_string(index) + ": the dictionary holds codes below " +
                                 std::to_string(dictionary.nextFree()));
        const int length = dictionary.spell(code, phrase.data());
        output.insert(output.end(), phrase.begin(), phrase.begin() + length);
        // The coder's steps after writing this code, in its order.
        dictionary.touch(code);
        if (previous != lzw::NoCode)
            dictionary.learn(previous, previousLength, phrase.data(), length);
        previous = code;
        previousLength = length;
    }
    return output;
}

} // namespace statdesk
