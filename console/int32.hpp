// The one number type of the calculators: a signed 32-bit value whose
// arithmetic wraps modulo 2^32.
//
// Signed overflow is undefined in C++, so every operation that may wrap goes
// through unsigned 32-bit arithmetic, which wraps by definition; converting
// the unsigned result back to int32 is modular since C++20.
#pragma once

#include <cstdint>

namespace calculators {

using int32 = std::int32_t;
using uint32 = std::uint32_t;

// With an int wider than 32 bits, uint32 operands would be promoted to a
// signed int and could overflow again.
static_assert(sizeof(int) <= sizeof(uint32));

constexpr int32 wrapping_add(int32 left, int32 right) {
    return static_cast<int32>(static_cast<uint32>(left) + static_cast<uint32>(right));
}

constexpr int32 wrapping_sub(int32 left, int32 right) {
    return static_cast<int32>(static_cast<uint32>(left) - static_cast<uint32>(right));
}

constexpr int32 wrapping_mul(int32 left, int32 right) {
    return static_cast<int32>(static_cast<uint32>(left) * static_cast<uint32>(right));
}

constexpr int32 wrapping_neg(int32 value) {
    return static_cast<int32>(0U - static_cast<uint32>(value));
}

}  // namespace calculators
