# The MinGW-w64 cross toolchain for ${BREVLIN_MINGW_TRIPLET}, included by the per-target files.
# The posix flavour of the compilers is used, since GoogleTest needs its threads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${BREVLIN_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BREVLIN_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${BREVLIN_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${BREVLIN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
