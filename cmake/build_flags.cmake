# What every target of the project is compiled with, as interface targets
# that the console library passes on to all that link it.

# Warnings, errors in the test builds.
add_library(calculators_warnings INTERFACE)
target_compile_options(calculators_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
    $<$<BOOL:${CALCULATORS_WARNINGS_AS_ERRORS}>:-Werror>)

# AddressSanitizer and UndefinedBehaviorSanitizer, when asked for; and in a
# fuzz build, coverage for the fuzzer's guidance in all code (only the fuzz
# targets link libFuzzer itself).
add_library(calculators_instrumentation INTERFACE)
if(CALCULATORS_SANITIZE)
    target_compile_options(calculators_instrumentation INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(calculators_instrumentation INTERFACE -fsanitize=address,undefined)
endif()
if(CALCULATORS_FUZZ)
    target_compile_options(calculators_instrumentation INTERFACE -fsanitize=fuzzer-no-link)
endif()

# The programs need nothing of the C++ runtime library: no exceptions, no
# run-time type information.  Their own code is compiled without both, and
# on Linux a program then loads the C library alone, which keeps its start
# as quick and small as a C program's.  Tests and benchmarks, which use
# libraries that need the runtime, are compiled as usual.
add_library(calculators_without_cxx_runtime INTERFACE)
target_compile_options(calculators_without_cxx_runtime INTERFACE -fno-exceptions -fno-rtti)
if(NOT WIN32)
    # g++ names libstdc++ and libm on every link; link them only if used.
    target_link_options(calculators_without_cxx_runtime INTERFACE LINKER:--as-needed)
endif()
