// parabola: asks for a, b and c of y = a x^2 + b x + c and prints the
// vertex (-b / 2a, (4ac - b^2) / 4a) as two fractions, never divided, reduced
// or sign-normalised, the values of y at x = 0, -10 and 10, and the
// derivative.  Every value wraps modulo 2^32; a = 0 gives denominators of 0.
#include "parabola.hpp"

namespace calculators {

namespace {

void show_progress(console& con) {
    con.write_text(u8"Now calculating");
    con.pause_ms(500);
    con.write_text(u8".");
    con.pause_ms(500);
    con.write_text(u8".");
    con.pause_ms(500);
    con.write_text(u8".\n");
}

}  // namespace

void parabola(console& con) {
    con.write_text(u8"y=ax^2+bx+c\n");
    int32 a = 0;
    int32 b = 0;
    int32 c = 0;
    con.prompt_int(u8"a >>  ", a);
    con.prompt_int(u8"b >>  ", b);
    con.prompt_int(u8"c >>  ", c);
    con.write_text(u8"\n\ny=%dx^2+%dx+%d\n\n", a, b, c);
    show_progress(con);

    const int32 vertex_x_numerator = wrapping_neg(b);
    const int32 vertex_x_denominator = wrapping_mul(2, a);
    const int32 vertex_y_numerator =
        wrapping_sub(wrapping_mul(wrapping_mul(4, a), c), wrapping_mul(b, b));
    const int32 vertex_y_denominator = wrapping_mul(4, a);
    const int32 hundred_a = wrapping_mul(100, a);
    const int32 ten_b = wrapping_mul(10, b);
    const int32 y_at_minus_10 = wrapping_add(wrapping_sub(hundred_a, ten_b), c);
    const int32 y_at_10 = wrapping_add(wrapping_add(hundred_a, ten_b), c);

    con.write_text(u8"========== RESULT ==========\n");
    con.write_text(u8"Origine:(x,y)=(%d/%d, %d/%d)\n", vertex_x_numerator, vertex_x_denominator,
                   vertex_y_numerator, vertex_y_denominator);
    con.write_text(u8"3point : (0,%d) (-10,%d) (10, %d)\n", c, y_at_minus_10, y_at_10);
    con.write_text(u8" Y' = %dx + %d", wrapping_mul(2, a), b);
    con.pause_ms(100000);
}

}  // namespace calculators
