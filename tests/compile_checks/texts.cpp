// Compiled by the tests with one of the CHECK_ macros below: each must stop
// the compilation with the error it is named after, and the file must
// compile without them.
#include "console.hpp"

void texts(calculators::console& con) {
    using calculators::int32;
#if defined(CHECK_more_placeholders_than_values)
    con.write_text(u8"%d and %d", int32{1});
#elif defined(CHECK_character_not_in_this_encoder)
    con.write_text(u8"€");
#elif defined(CHECK_percent_sign_not_followed_by_d)
    con.write_text(u8"100%");
#else
    con.write_text(u8"%d and %d＝", int32{1}, int32{2});
#endif
}
