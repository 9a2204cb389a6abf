// defint: asks for the limits a and b and the coefficients c, d and e of
// f(x) = c x^2 + d x + e, and prints the antiderivative of f and six times
// its integral from a to b over 6, left for the user to reduce.  Every value
// wraps modulo 2^32.
#include "defint.hpp"

namespace calculators {

void defint(console& con) {
    con.write_text(u8"●積分の計算●\n∫a-b[f(x)]dxを計算します\n但し、f(x)=c x^2 + dx + eとする\n\n");
    int32 a = 0;
    int32 b = 0;
    int32 c = 0;
    int32 d = 0;
    int32 e = 0;
    con.prompt_int(u8"a >>  ", a);
    con.prompt_int(u8"b >>  ", b);
    con.prompt_int(u8"c >>  ", c);
    con.prompt_int(u8"d >>  ", d);
    con.prompt_int(u8"e >>  ", e);

    con.write_text(u8"=================RESULT=================\n");
    con.write_text(u8"F=%d/3 x^3 + %d/2 x^2 + %dx + C\n", c, d, e);
    con.write_text(u8"∫%d-%d[%d x^2 + %d + %d]", a, b, c, d, e);

    // Six times the integral: 2c (b^3 - a^3) + 3d (b^2 - a^2) + 6e (b - a).
    const int32 cubes =
        wrapping_sub(wrapping_mul(wrapping_mul(b, b), b), wrapping_mul(wrapping_mul(a, a), a));
    const int32 squares = wrapping_sub(wrapping_mul(b, b), wrapping_mul(a, a));
    const int32 width = wrapping_sub(b, a);
    const int32 six_times_integral =
        wrapping_add(wrapping_add(wrapping_mul(wrapping_mul(2, c), cubes),
                                  wrapping_mul(wrapping_mul(3, d), squares)),
                     wrapping_mul(wrapping_mul(6, e), width));

    con.write_text(u8"＝%d/6\n約分は自分でするんだよ！", six_times_integral);
    con.pause_ms(20000);
}

}  // namespace calculators
