// defint: the antiderivative of c x^2 + d x + e and its integral from a to
// b as a fraction over 6.
#pragma once

#include "console.hpp"

namespace calculators {

void defint(console& con);

}  // namespace calculators
