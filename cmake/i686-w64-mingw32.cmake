# Toolchain for the shipped build: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(BREVLIN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
