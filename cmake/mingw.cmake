# Cross-build for Windows with mingw-w64 (posix thread model), run under Wine. Included by the
# toolchain file of each processor, which sets KESTRUM_MINGW_TRIPLET and KESTRUM_WINE_LOADER.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KESTRUM_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KESTRUM_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KESTRUM_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTRUM_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests and benchmarks built here run through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTRUM_WINE_LOADER})
