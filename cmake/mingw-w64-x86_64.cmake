# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 compiler (posix threads, for
# std::thread and std::mutex), e.g. scripts/build-windows.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SKARDE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SKARDE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SKARDE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SKARDE_MINGW_PREFIX}-windres)

# Libraries and packages only from the Windows side (and what CMAKE_PREFIX_PATH adds, such as
# a GoogleTest built with this compiler); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${SKARDE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Statically linked, so the programs run without the compiler's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the programs under Wine when it is there.
find_program(SKARDE_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(SKARDE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SKARDE_WINE})
endif()
