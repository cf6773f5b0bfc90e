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

} // namespace

// One code's row of the eight tables. Rows rather than separate tables keep everything a step
// touches for one code in one cache line, which is most of the coder's speed.
struct LzwDictionary::Entry {
    std::uint16_t lastByte;
    std::uint16_t parent;
    std::uint16_t firstChild;
    std::uint16_t nextSibling;
    std::uint16_t previousSibling;
    std::uint16_t childCount;
    std::uint16_t newer; // toward the front of the recency list
    std::uint16_t older; // toward the back
};

LzwDictionary::LzwDictionary() : m_entries(std::make_unique<Entry[]>(TableSize)) {
    for (int code = 0; code < TableSize; ++code)
        m_entries[code] = {std::uint16_t(code & 0xFF), NoCode, NoCode, NoCode, NoCode, 0, NoCode, NoCode};
    m_entries[ListHead].newer = ListHead;
    m_entries[ListHead].older = ListHead;
}

LzwDictionary::~LzwDictionary() = default;

int LzwDictionary::child(int parent, std::uint8_t byte) const {
    const Entry* entries = m_entries.get();
    int code = entries[parent].firstChild;
    while (code != NoCode && entries[code].lastByte != byte)
        code = entries[code].nextSibling;
    return code;
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
    Entry* entries = m_entries.get();
    int current = code;
    std::size_t taken = 0;
    for (; taken < input.size(); ++taken) {
        const std::uint8_t byte = input[taken];
        const int first = entries[current].firstChild;
        if (first == NoCode)
            break;
        if (entries[first].lastByte == byte) {
            current = first;
            continue;
        }
        int found = entries[first].nextSibling;
        while (found != NoCode && entries[found].lastByte != byte)
            found = entries[found].nextSibling;
        if (found == NoCode)
            break;
        // A found child moves to the front of its parent's children, so frequent continuations
        // are found first; the order of children is not part of the format.
        const int previous = entries[found].previousSibling;
        const int next = entries[found].nextSibling;
        entries[previous].nextSibling = std::uint16_t(next);
        if (next != NoCode)
            entries[next].previousSibling = std::uint16_t(previous);
        entries[found].previousSibling = NoCode;
        entries[found].nextSibling = std::uint16_t(first);
        entries[first].previousSibling = std::uint16_t(found);
        entries[current].firstChild = std::uint16_t(found);
        current = found;
    }
    assert(length + int(taken) <= MaxStringLength);
    std::copy_n(input.data(), taken, phrase + length);
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
    Entry* entries = m_entries.get();
    const int parent = entries[code].parent;
    const int previous = entries[code].previousSibling;
    const int next = entries[code].nextSibling;
    if (previous == NoCode)
        entries[parent].firstChild = std::uint16_t(next);
    else
        entries[previous].nextSibling = std::uint16_t(next);
    if (next != NoCode)
        entries[next].previousSibling = std::uint16_t(previous);
    --entries[parent].childCount;
}

void LzwDictionary::learn(int previous, int previousLength, const std::uint8_t* phrase, int length) {
    learnFrom(previous, previousLength, phrase, length, false);
}

void LzwDictionary::learnAfterLongestMatch(int previous, int previousLength, const std::uint8_t* phrase,
                                           int length) {
    learnFrom(previous, previousLength, phrase, length, true);
}

inline void LzwDictionary::learnFrom(int previous, int previousLength, const std::uint8_t* phrase, int length,
                                     bool afterLongestMatch) {
    Entry* entries = m_entries.get();
    const int end = std::min(length, MaxStringLength - previousLength); // new strings stay within 100 bytes
    const int recent = m_firstMade;
    m_firstMade = NoCode;
    int x = previous;
    int r = 0;
    for (; r < end && entries[x].childCount < 256; ++r) {
        int existing;
        if (r == 0 && afterLongestMatch)
            existing =
                recent != NoCode && entries[recent].parent == x && entries[recent].lastByte == phrase[0]
                    ? recent
                    : NoCode;
        else
            existing = child(x, phrase[r]);
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
        if (m_firstMade == NoCode)
            m_firstMade = code;
        const int first = entries[x].firstChild;
        Entry& made = entries[code];
        made.lastByte = phrase[r];
        made.parent = std::uint16_t(x);
        made.firstChild = NoCode;
        made.nextSibling = std::uint16_t(first);
        made.previousSibling = NoCode;
        made.childCount = 0;
        if (first != NoCode)
            entries[first].previousSibling = std::uint16_t(code);
        entries[x].firstChild = std::uint16_t(code);
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
