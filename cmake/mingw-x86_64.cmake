# Cross-build for 64-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTRUM_MINGW_TRIPLET x86_64-w64-mingw32)
# Wine's 64-bit loader, called by name: the plain `wine` may be the 32-bit one, which a machine
# without 32-bit support cannot execute (Debian keeps the 64-bit loader out of the PATH).
find_program(KESTRUM_WINE_LOADER NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT KESTRUM_WINE_LOADER)
  set(KESTRUM_WINE_LOADER wine)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
