// An encoder independent of the programs' own: the system's converter from
// UTF-8 to code page 932.  The tests write expected output as readable
// UTF-8 and compare bytes after this conversion.
#pragma once

#include <string>
#include <string_view>

namespace calculators {

// `utf8` in code page 932, every "\n" written as CR LF.
std::string cp932(std::u8string_view utf8);

}  // namespace calculators
