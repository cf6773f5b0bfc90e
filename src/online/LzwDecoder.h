#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace statdesk {

// A stream the coder cannot have written; what() says where and why.
class LzwStreamError : public std::runtime_error {
  public:
    explicit LzwStreamError(const std::string& message) : std::runtime_error(message) {}
};

// The bytes a stream of lzwCompress stands for. Throws LzwStreamError for a code the dictionary
// does not hold at that point, a length that cuts a code short, or padding bits that are not zero.
std::vector<std::uint8_t> lzwDecode(std::span<const std::uint8_t> stream);

} // namespace statdesk
