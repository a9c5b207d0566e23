#pragma once
// Fuzzed bytes taken one by one as small numbers; an exhausted source keeps
// answering 0, so every input, however short, makes a complete choice.
#include <cstdint>
#include <string_view>

namespace tabulizer::fuzz {

class ByteSource {
public:
    explicit ByteSource(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t Byte() { return pos_ < bytes_.size() ? static_cast<std::uint8_t>(bytes_[pos_++]) : 0; }
    // 0 .. count-1 (0 when count is 0 or less).
    int Below(int count) { return count > 0 ? Byte() % count : 0; }
    bool Bit() { return Byte() & 1; }
    // The top few byte values pick an extreme instead of a number from the usual range:
    // rare enough not to spoil most inputs, common enough to be tried.
    bool Rare() { return Byte() >= 250; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace tabulizer::fuzz
