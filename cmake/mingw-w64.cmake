# Shared part of the Windows toolchains: Debian's MinGW-w64 cross compilers.
# The including file sets mingw_triplet and mingw_processor.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${mingw_processor})

# The POSIX thread model: with the Win32 one, GCC 12 has no std::mutex,
# which GoogleTest needs.
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# Headers and libraries come from the MinGW tree only; build tools from the
# build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each program is one .exe that needs no DLL beyond those of Windows itself:
# the C++ runtime, libgcc and the thread library are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# wine64 starts the test programs for CTest where it is installed; Debian's
# wine64 package keeps it out of PATH.
find_program(WINE64_PROGRAM wine64 PATHS /usr/lib/wine)
