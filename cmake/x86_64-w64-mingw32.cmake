# Toolchain for the x86_64 twin: the same sources for 64-bit Windows, run here under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BREVLIN_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
