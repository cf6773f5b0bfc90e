// Any bytes, coded and decoded again, come back unchanged, and the coded stream has the length its
// 12-bit codes take.
#include "FuzzSupport.h"
#include "LzwCompressor.h"
#include "LzwDecoder.h"

using namespace statdesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> input(data, data + size);
    const std::vector<std::uint8_t> coded = lzwCompress(input);
    FUZZ_CHECK(coded.size() % 3 != 1);
    FUZZ_CHECK(lzwDecode(coded) == input);
    return 0;
}
