# Cross-build for 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KESTRUM_MINGW_TRIPLET i686-w64-mingw32)
set(KESTRUM_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
