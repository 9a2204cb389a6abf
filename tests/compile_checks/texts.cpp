// Compiled by the tests with one of the macros below: each of them must stop
// the compilation, and the file must compile without them.
#include "console.hpp"

void texts(console& con) {
#if defined(WRONG_VALUE_COUNT)
    con.write_text(u8"%d and %d", int32{1});
#elif defined(UNKNOWN_CHARACTER)
    con.write_text(u8"€");
#elif defined(STRAY_PERCENT)
    con.write_text(u8"100%");
#else
    con.write_text(u8"%d and %d＝", int32{1}, int32{2});
#endif
}
