// The LZW decoder on any stream: it gives bytes or refuses the stream with LzwStreamError, and a
// code never stands for more than the longest string the coder makes.
#include "FuzzSupport.h"
#include "LzwDecoder.h"
#include "LzwDictionary.h"

using namespace statdesk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const std::vector<std::uint8_t> bytes = lzwDecode({data, size});
        const std::size_t codes = size / 3 * 2 + (size % 3 == 2 ? 1 : 0);
        FUZZ_CHECK(bytes.size() >= codes && bytes.size() <= codes * lzw::MaxStringLength);
    } catch (const LzwStreamError& error) {
        FUZZ_CHECK(std::string_view(error.what()).size() > 0);
    }
    return 0;
}
