# 64-bit Windows (x86_64).  wine64, where installed, runs the test programs
# and the programs themselves for CTest.
set(mingw_triplet x86_64-w64-mingw32)
set(mingw_processor AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

if(WINE64_PROGRAM)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine-prefix ${WINE64_PROGRAM})
endif()
