// Runs a dialogue on the process's own console: standard input, standard
// output and the system's sleep.
#pragma once

#include "console.hpp"

// Runs `dialogue` to its end and returns the exit status for main.
int run_on_standard_console(void (&dialogue)(console&));
