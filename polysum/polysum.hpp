// polysum: the sum of a k^3 + b k^2 + c k + d over every k from i to n.
#pragma once

#include "console.hpp"

namespace calculators {

// The sum of a k^3 + b k^2 + c k + d over k = i, i + 1, ..., n, wrapping
// modulo 2^32; no terms (0) when i > n or n is INT32_MAX.
int32 polynomial_sum(int32 i, int32 n, int32 a, int32 b, int32 c, int32 d);

void polysum(console& con);

}  // namespace calculators
