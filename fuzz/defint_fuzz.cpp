// Fuzz target: defint's whole dialogue on any input.
#include "defint.hpp"
#include "dialogue_fuzz.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const calculators::dialogue_fuzz::target defint_target(calculators::defint, {""});
    return defint_target.check(data, size);
}
