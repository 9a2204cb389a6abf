// Fuzz target: choosefrac's whole dialogue on any input.
#include "choosefrac.hpp"
#include "dialogue_fuzz.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // From b = 34 on, b! wraps to 0 and the result line has no fraction.
    static const calculators::dialogue_fuzz::target choosefrac_target(calculators::choosefrac,
                                                                      {"", "0 34"});
    return choosefrac_target.check(data, size);
}
