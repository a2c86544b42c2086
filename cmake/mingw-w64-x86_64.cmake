# Cross build for 64-bit Windows with Debian's mingw-w64 (POSIX threads),
# the tests run under Wine. Which programs carry the compiler's runtime
# statically is the project's choice (vistrel_static_runtime).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# The mingw-w64 headers and libraries, and any prefix given on the command
# line (a Qt built for Windows).
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's wine64 loader runs 64-bit programs directly; the "wine" wrapper
# looks for a 32-bit Wine first.
find_program(VISTREL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VISTREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VISTREL_WINE})
endif()
