// polysum's sum as its users define it: term by term, every operation
// wrapping, while k < n + 1.  The reference for the closed form in the tests
// and its rival in the benchmark.
#pragma once

#include "int32.hpp"

namespace calculators {

inline int32 sum_by_terms(int32 i, int32 n, int32 a, int32 b, int32 c, int32 d) {
    int32 sum = 0;
    const int32 bound = wrapping_add(n, 1);
    for (int32 k = i; k < bound; k = wrapping_add(k, 1)) {
        const int32 k2 = wrapping_mul(k, k);
        sum = wrapping_add(sum, wrapping_mul(wrapping_mul(a, k2), k));
        sum = wrapping_add(sum, wrapping_mul(b, k2));
        sum = wrapping_add(sum, wrapping_mul(c, k));
        sum = wrapping_add(sum, d);
    }
    return sum;
}

}  // namespace calculators
