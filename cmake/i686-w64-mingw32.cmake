# 32-bit Windows (i686), the programs' home.  Nothing on this machine runs
# what it builds; the tests run on the 64-bit build, which shares every line.
set(mingw_triplet i686-w64-mingw32)
set(mingw_processor x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
