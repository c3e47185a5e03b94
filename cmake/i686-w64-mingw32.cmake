# Cross-builds the 32-bit Windows console program with mingw-w64
# (Debian's g++-mingw-w64-i686).
set(MAZE_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
