// Fuzz target: polysum's whole dialogue on any input.
#include "dialogue_fuzz.hpp"
#include "polysum.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return dialogue_fuzz::check(polysum, data, size);
}
