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
