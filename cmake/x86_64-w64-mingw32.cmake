# Cross-builds a 64-bit Windows console program with mingw-w64
# (Debian's g++-mingw-w64-x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No DLL beside the Windows system ones: the C++ and GCC runtimes go inside.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The tests need GoogleTest for the build machine; they run on Linux.
set(MAZE_TESTS OFF CACHE BOOL "Build the tests" FORCE)
