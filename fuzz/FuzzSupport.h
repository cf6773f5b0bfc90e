#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Shared by the fuzz targets, which build both with libFuzzer and with the plain replay driver.
namespace statdesk::fuzz {

// Reports a broken property and aborts: libFuzzer keeps the input, the replay test fails.
[[noreturn]] void fail(const char* condition, const char* file, int line, const std::string& detail);

// Structured choices taken from the front of a fuzz input; past its end every read gives 0, so a
// short input still decodes into something.
class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::uint8_t byte();
    // A value from low to high inclusive.
    int range(int low, int high);
    bool flag() { return (byte() & 1) != 0; }
    bool empty() const { return m_position >= m_size; }
    // Everything not read yet.
    std::string_view rest();

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// The input cut at every `separator` byte: parts for targets that take several texts.
std::vector<std::string_view> splitParts(const std::uint8_t* data, std::size_t size, char separator);

// Sets QT_QPA_PLATFORM=offscreen unless the environment names a platform already.
void useOffscreenPlatform();

} // namespace statdesk::fuzz

#define FUZZ_CHECK(condition)                                                                                \
    ((condition) ? void(0) : ::statdesk::fuzz::fail(#condition, __FILE__, __LINE__, std::string()))
#define FUZZ_CHECK_MSG(condition, detail)                                                                    \
    ((condition) ? void(0) : ::statdesk::fuzz::fail(#condition, __FILE__, __LINE__, (detail)))
