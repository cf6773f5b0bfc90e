#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

// The state the beacon's coder and its decoder share. The bit stream leaves the program, so every
// detail of it is format.
namespace statdesk {

namespace lzw {
inline constexpr int FirstLearnedCode = 256;
inline constexpr int CodeLimit = 4094; // never handed out
inline constexpr int NoCode = 4095;
inline constexpr int MaxStringLength = 100;
inline constexpr int BlockSize = 1024;
} // namespace lzw

// The dictionary and recency list. The coder and the decoder each keep one and apply the same two
// steps after every code, which keeps them identical without any side channel.
class LzwDictionary final {
  public:
    LzwDictionary();
    ~LzwDictionary();
    LzwDictionary(const LzwDictionary&) = delete;
    LzwDictionary& operator=(const LzwDictionary&) = delete;

    // The code of parent's string followed by byte, or lzw::NoCode.
    int child(int parent, std::uint8_t byte) const;

    // Extends the phrase in code (length bytes, kept in phrase) by input bytes for as long as the
    // dictionary holds the longer string; returns how many bytes it took.
    std::size_t match(int& code, int& length, std::uint8_t* phrase, std::span<const std::uint8_t> input);

    // After a phrase: its learned prefixes go to the front of the recency list.
    void touch(int code);

    // After a phrase: the previous phrase extended by every prefix of this one, up to 100 bytes
    // and while the parent has fewer than 256 children.
    void learn(int previous, int previousLength, const std::uint8_t* phrase, int length);

    bool knows(int code) const { return code >= 0 && code < m_nextFree; }
    int nextFree() const { return m_nextFree; }

    // Writes the string of a known code into bytes (room for lzw::MaxStringLength); returns its length.
    int spell(int code, std::uint8_t* bytes) const;

  private:
    struct Entry;
    void unlinkChild(int code);
    void unlinkRecency(int code);
    void moveBehind(int anchor, int code);

    std::unique_ptr<Entry[]> m_entries;
    // The code of each (parent, byte) string, NoCode where the dictionary has none: one look-up
    // per step, where walking a parent's children was most of the coder's time.
    std::unique_ptr<std::uint16_t[]> m_children;
    int m_nextFree = lzw::FirstLearnedCode;
};

} // namespace statdesk
