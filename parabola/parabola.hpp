// parabola: for y = a x^2 + b x + c, the vertex as unreduced fractions, the
// values at x = 0, -10 and 10, and the derivative.
#pragma once

#include "console.hpp"

namespace calculators {

void parabola(console& con);

}  // namespace calculators
