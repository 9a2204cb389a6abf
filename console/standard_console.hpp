// Runs a dialogue on the process's own console: standard input, standard
// output and the system's sleep.
#pragma once

#include "console.hpp"

namespace calculators {

// Runs `dialogue` to its end and returns the exit status for main: 0, or 1
// with one line on the standard error stream when output could not be
// written.
int run_on_standard_console(void (&dialogue)(console&));

}  // namespace calculators
