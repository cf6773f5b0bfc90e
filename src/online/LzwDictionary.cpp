#include "LzwDictionary.h"

#include <algorithm>
#include <array>
#include <cassert>

namespace statdesk {

using namespace lzw;

namespace {

// Slot 4096 is the head of the circular recency list.
constexpr int ListHead = 4096;
constexpr int TableSize = 4097;

// The child table has a row for every byte with a column for every code that can be a parent:
// the few bytes common in a text keep their rows in the cache.
constexpr std::size_t ChildTableSize = std::size_t(256) * CodeLimit;

constexpr std::size_t childSlot(int parent, int byte) {
    return std::size_t(byte) * CodeLimit + std::size_t(parent);
}

} // namespace

// One code's row of the tables. Rows rather than separate tables keep everything a step touches
// for one code in one cache line.
struct LzwDictionary::Entry {
    std::uint16_t lastByte;
    std::uint16_t parent;
    std::uint16_t childCount;
    std::uint16_t newer; // toward the front of the recency list
    std::uint16_t older; // toward the back
};

LzwDictionary::LzwDictionary()
    : m_entries(std::make_unique<Entry[]>(TableSize)),
      m_children(std::make_unique<std::uint16_t[]>(ChildTableSize)) {
    for (int code = 0; code < TableSize; ++code)
        m_entries[code] = {std::uint16_t(code & 0xFF), NoCode, 0, NoCode, NoCode};
    m_entries[ListHead].newer = ListHead;
    m_entries[ListHead].older = ListHead;
    std::fill_n(m_children.get(), ChildTableSize, std::uint16_t(NoCode));
}

LzwDictionary::~LzwDictionary() = default;

int LzwDictionary::child(int parent, std::uint8_t byte) const {
    return m_children[childSlot(parent, byte)];
}

inline void LzwDictionary::unlinkRecency(int code) {
    Entry* entries = m_entries.get();
    entries[entries[code].newer].older = entries[code].older;
    entries[entries[code].older].newer = entries[code].newer;
}

inline void LzwDictionary::moveBehind(int anchor, int code) {
    Entry* entries = m_entries.get();
    const int after = entries[anchor].older;
    entries[anchor].older = std::uint16_t(code);
    entries[code].newer = std::uint16_t(anchor);
    entries[code].older = std::uint16_t(after);
    entries[after].newer = std::uint16_t(code);
}

std::size_t LzwDictionary::match(int& code, int& length, std::uint8_t* phrase,
                                 std::span<const std::uint8_t> input) {
    int current = code;
    std::size_t taken = 0;
    // Each byte goes into the phrase as it is taken: cheaper than copying a few bytes afterwards.
    for (std::uint8_t* end = phrase + length; taken < input.size(); ++taken) {
        const int found = child(current, input[taken]);
        if (found == NoCode)
            break;
        end[taken] = input[taken];
        current = found;
    }
    assert(length + int(taken) <= MaxStringLength);
    code = current;
    length += int(taken);
    return taken;
}

void LzwDictionary::touch(int code) {
    const Entry* entries = m_entries.get();
    // Walking from the longest prefix to the shortest and moving each to the front leaves the
    // shortest first, so a parent always stays ahead of its children and the back is a leaf.
    for (; code >= FirstLearnedCode; code = entries[code].parent) {
        if (entries[ListHead].older == code)
            continue;
        unlinkRecency(code);
        moveBehind(ListHead, code);
    }
}

inline void LzwDictionary::unlinkChild(int code) {
    const Entry& entry = m_entries[code];
    m_children[childSlot(entry.parent, entry.lastByte)] = NoCode;
    --m_entries[entry.parent].childCount;
}

void LzwDictionary::learn(int previous, int previousLength, const std::uint8_t* phrase, int length) {
    Entry* entries = m_entries.get();
    const int end = std::min(length, MaxStringLength - previousLength); // new strings stay within 100 bytes
    int x = previous;
    int r = 0;
    for (; r < end && entries[x].childCount < 256; ++r) {
        const int existing = child(x, phrase[r]);
        if (existing == NoCode)
            break;
        x = existing;
    }

    // From here on every new string is the parent of the next, so none has a child to look up.
    for (; r < end && entries[x].childCount < 256; ++r) {
        int code;
        if (m_nextFree < CodeLimit) {
            code = m_nextFree++;
        } else {
            code = entries[ListHead].newer;
            // The parent itself is the least recently used string: giving its code away would
            // make the new string its own parent, so this step learns nothing more. The decoder
            // runs this same function and so makes the same choice.
            if (code == x)
                return;
            assert(entries[code].childCount == 0);
            unlinkRecency(code);
            unlinkChild(code);
        }
        Entry& made = entries[code];
        made.lastByte = phrase[r];
        made.parent = std::uint16_t(x);
        made.childCount = 0;
        m_children[childSlot(x, phrase[r])] = std::uint16_t(code);
        ++entries[x].childCount;
        moveBehind(x >= FirstLearnedCode ? x : ListHead, code);
        x = code;
    }
}

int LzwDictionary::spell(int code, std::uint8_t* bytes) const {
    const Entry* entries = m_entries.get();
    int length = 0;
    for (int c = code; c != NoCode; c = entries[c].parent)
        ++length;
    assert(length <= MaxStringLength);
    int at = length;
    for (int c = code; c != NoCode; c = entries[c].parent)
        bytes[--at] = std::uint8_t(entries[c].lastByte);
    return length;
}

} // namespace statdesk
