# 32-bit Windows (i686), the programs' home.  Its programs and test programs
# run for CTest under wine64 with a 64-bit prefix (WoW64), where 32-bit Wine
# works here.
set(mingw_triplet i686-w64-mingw32)
set(mingw_processor x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# wine64 hands a 32-bit program to Wine's 32-bit loader beside it, a 32-bit
# x86 Linux program: it works when 32-bit Wine (wine32) is installed and the
# kernel starts 32-bit programs, by itself or through an interpreter
# registered in binfmt_misc (qemu-i386; tools/install-deps registers it, and
# a reboot loses it).  The loader's --version answers before Wine sets
# anything up, in a few milliseconds, and needs both.  Checked again on
# every configure, as the registration comes and goes; not in CMake's test
# projects, which run nothing.
get_property(in_try_compile GLOBAL PROPERTY IN_TRY_COMPILE)
if(WINE64_PROGRAM AND NOT in_try_compile)
    file(REAL_PATH ${WINE64_PROGRAM} wine64_path)
    get_filename_component(wine_directory ${wine64_path} DIRECTORY)
    execute_process(COMMAND ${wine_directory}/wine --version
                    RESULT_VARIABLE wine32_status OUTPUT_QUIET ERROR_QUIET TIMEOUT 30)
    if(wine32_status EQUAL 0)
        set(wine32_works TRUE)
        set(CMAKE_CROSSCOMPILING_EMULATOR
            ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine-prefix ${WINE64_PROGRAM})
    else()
        set(wine32_works FALSE)
    endif()
    # tools/run-tests reads it to say when the tests did not run.
    set(WINE32_WORKS ${wine32_works} CACHE INTERNAL "32-bit Wine starts here")
endif()
