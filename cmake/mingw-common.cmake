# Shared part of the two MinGW-w64 toolchain files. The "-posix" compilers provide std::mutex,
# which GoogleTest needs; the programs are linked statically, so winpthread becomes part of each
# executable rather than a DLL beside it.
find_program(CMAKE_C_COMPILER NAMES ${TAVRIN_MINGW_PREFIX}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${TAVRIN_MINGW_PREFIX}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TAVRIN_MINGW_PREFIX}-windres REQUIRED)
find_program(TAVRIN_OBJDUMP NAMES ${TAVRIN_MINGW_PREFIX}-objdump REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
