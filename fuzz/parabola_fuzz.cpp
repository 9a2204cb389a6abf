// Fuzz target: parabola's whole dialogue on any input.
#include "dialogue_fuzz.hpp"
#include "parabola.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const calculators::dialogue_fuzz::target parabola_target(calculators::parabola, {""});
    return parabola_target.check(data, size);
}
