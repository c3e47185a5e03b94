# Cross-builds a 64-bit Windows console program with mingw-w64 (Debian's
# g++-mingw-w64-x86-64), to run under wine64 where 32-bit programs cannot.
set(MAZE_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
