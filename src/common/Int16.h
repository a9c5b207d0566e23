#pragma once
// 16-bit counters and fixed table bounds: arithmetic that leaves the range of a
// 16-bit signed integer, and an index outside a table, are failures (codes 6 and 9)
// instead of silent wrap-around.
#include <cstdint>
#include <string>

#include "common/Failure.h"

namespace tabulizer {

using i16 = std::int16_t;

inline i16 CheckedI16(long long value) {
    if (value < INT16_MIN || value > INT16_MAX)
        throw Failure(kOverflow, "16-bit overflow: " + std::to_string(value));
    return static_cast<i16>(value);
}

inline i16 Add16(i16 a, long long b) { return CheckedI16(a + b); }
inline i16 Sub16(i16 a, long long b) { return CheckedI16(a - b); }
inline void Inc16(i16& a, long long by = 1) { a = Add16(a, by); }
inline void Dec16(i16& a, long long by = 1) { a = Sub16(a, by); }

// Index into a table of `size` elements; throws code 9 when out of bounds.
template <typename Table>
auto& At(Table& table, long long index) {
    if (index < 0 || index >= static_cast<long long>(table.size()))
        throw Failure(kIndexOutOfRange, "index out of range: " + std::to_string(index));
    return table[static_cast<std::size_t>(index)];
}

}  // namespace tabulizer
