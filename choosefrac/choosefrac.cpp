// choosefrac: asks for a and b and prints the binomial coefficient of a and
// b as a fraction, numerator a! / b! and denominator (a - b)!, in wrapping
// 32-bit arithmetic.  The user finishes the division.
#include "choosefrac.hpp"

namespace calculators {

int32 factorial(int32 n) {
    // 34! holds the factor 2 thirty-two times, so from 34 on every product
    // is 0 modulo 2^32; answering at once spares up to 2^31 multiplications.
    if (n >= 34) {
        return 0;
    }
    int32 result = 1;
    for (; n > 0; --n) {
        result = wrapping_mul(result, n);
    }
    return result;
}

void choosefrac(console& con) {
    con.write_text(u8"コンビデーションの計算　aＣb\n");
    int32 a = 0;
    int32 b = 0;
    con.prompt_int(u8"a >>  ", a);
    con.prompt_int(u8"b >>  ", b);

    con.write_text(u8"  Now calculating");
    for (int step = 0; step < 16; ++step) {
        con.write_text(u8"..");
        con.pause_ms(100);
    }
    con.write_text(u8"\n");

    con.write_text(u8"=============== RESULT ===============\n");
    const int32 divisor = factorial(b);
    if (divisor == 0) {
        // From b = 34 on, b! is 0 modulo 2^32 and the numerator has no value.
        con.write_text(u8"%d Ｃ %d ＝ overflow", a, b);
    } else {
        // A wrapped factorial is even from 2! on and 1 below, never -1, so
        // the quotient cannot overflow.
        const int32 numerator = factorial(a) / divisor;
        const int32 denominator = factorial(wrapping_sub(a, b));
        con.write_text(u8"%d Ｃ %d ＝ %d/%d", a, b, numerator, denominator);
    }
    con.pause_ms(60000);
}

}  // namespace calculators
