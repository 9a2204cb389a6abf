// choosefrac: the binomial coefficient of a and b as the unreduced fraction
// (a! / b!) over (a - b)!.
#pragma once

#include "console.hpp"

namespace calculators {

// n! wrapping modulo 2^32; 1 for every n <= 0.
int32 factorial(int32 n);

void choosefrac(console& con);

}  // namespace calculators
