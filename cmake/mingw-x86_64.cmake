# Cross-build for 64-bit Windows with mingw-w64 (posix thread model), run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests and benchmarks built here run through Wine's 64-bit loader, called by name: the plain
# `wine` may be the 32-bit one, which a machine without 32-bit support cannot execute (Debian
# keeps the 64-bit loader out of the PATH).
find_program(KESTRUM_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT KESTRUM_WINE64)
  set(KESTRUM_WINE64 wine)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTRUM_WINE64})
