# What the two Windows toolchain files share: a console program built with
# mingw-w64 for the processor in MAZE_MINGW_ARCH (i686 or x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MAZE_MINGW_ARCH})

set(CMAKE_C_COMPILER ${MAZE_MINGW_ARCH}-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER ${MAZE_MINGW_ARCH}-w64-mingw32-g++)
set(CMAKE_RC_COMPILER ${MAZE_MINGW_ARCH}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MAZE_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No DLL beside the Windows system ones: the C++ and GCC runtimes go inside.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
