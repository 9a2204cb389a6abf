// polysum: asks for a range i..n and the coefficients a, b, c, d and prints
// the sum of a k^3 + b k^2 + c k + d over that range, wrapping modulo 2^32.
#include "polysum.hpp"

#include <cstdint>

namespace calculators {

namespace {

using uint64 = std::uint64_t;

uint32 low_bits(uint64 value) {
    return static_cast<uint32>(value);
}

}  // namespace

// Adding term by term takes seconds for the widest range, so the sum is
// taken in closed form.  With k = i + j for j = 0 .. m - 1 the polynomial
// becomes A j^3 + B j^2 + C j + D, and the sums of j^p over that range have
// exact formulas.  Each formula's division is made exactly on one factor
// before anything is reduced modulo 2^32; after that, all arithmetic is
// uint32 and wraps, which gives the same result as wrapping term by term.
int32 polynomial_sum(int32 i, int32 n, int32 a, int32 b, int32 c, int32 d) {
    // The loop runs while k < n + 1 in int32: never when n + 1 wraps.
    if (n == INT32_MAX || i > n) {
        return 0;
    }
    const uint64 m = uint64{static_cast<uint32>(n) - static_cast<uint32>(i)} + 1;

    // sum of j over 0 .. m-1 = m (m - 1) / 2; one of m, m - 1 is even.
    const uint32 sum_1 =
        m % 2 == 0 ? low_bits(m / 2) * low_bits(m - 1) : low_bits(m) * low_bits((m - 1) / 2);
    // sum of j^2 = (m - 1) m (2m - 1) / 6: halve the even one of m - 1 and m,
    // then divide by 3 whichever of the three factors 3 still divides.
    uint64 factors[3] = {m - 1, m, 2 * m - 1};
    factors[m % 2 == 0 ? 1 : 0] /= 2;
    for (uint64& factor : factors) {
        if (factor % 3 == 0) {
            factor /= 3;
            break;
        }
    }
    const uint32 sum_2 = low_bits(factors[0]) * low_bits(factors[1]) * low_bits(factors[2]);
    // sum of j^3 = (m (m - 1) / 2)^2.
    const uint32 sum_3 = sum_1 * sum_1;

    const uint32 ui = static_cast<uint32>(i);
    const uint32 ua = static_cast<uint32>(a);
    const uint32 ub = static_cast<uint32>(b);
    const uint32 uc = static_cast<uint32>(c);
    const uint32 ud = static_cast<uint32>(d);
    const uint32 coefficient_3 = ua;
    const uint32 coefficient_2 = 3 * ua * ui + ub;
    const uint32 coefficient_1 = 3 * ua * ui * ui + 2 * ub * ui + uc;
    const uint32 coefficient_0 = ua * ui * ui * ui + ub * ui * ui + uc * ui + ud;

    return static_cast<int32>(coefficient_3 * sum_3 + coefficient_2 * sum_2 +
                              coefficient_1 * sum_1 + coefficient_0 * low_bits(m));
}

void polysum(console& con) {
    con.write_text(u8"S = Σ[k=i,n] f(k)の計算\n但し、f(k)  =  a k^3  +  b k^2 +  c k +dとする\n");
    int32 i = 0;
    int32 n = 0;
    int32 a = 0;
    int32 b = 0;
    int32 c = 0;
    int32 d = 0;
    con.prompt_int(u8"i >>  ", i);
    con.prompt_int(u8"n >>  ", n);
    con.prompt_int(u8"a >>  ", a);
    con.prompt_int(u8"b >>  ", b);
    con.prompt_int(u8"c >>  ", c);
    con.prompt_int(u8"d >>  ", d);

    con.write_text(u8"Now Calculating");
    for (int dot = 0; dot < 7; ++dot) {
        con.write_text(u8".");
        con.pause_ms(150);
    }

    const int32 sum = polynomial_sum(i, n, a, b, c, d);

    con.write_text(u8"\n================RESULT================\n");
    con.write_text(u8"Σ[k=%d,%d] %d k^3 + %d k^2 + %d k + %d", i, n, a, b, c, d);
    con.write_text(u8"＝%d", sum);
    con.pause_ms(1000000000);
}

}  // namespace calculators
