// Fuzz target: polysum's whole dialogue on any input.
#include "dialogue_fuzz.hpp"
#include "polysum.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const calculators::dialogue_fuzz::target polysum_target(calculators::polysum, {""});
    return polysum_target.check(data, size);
}
