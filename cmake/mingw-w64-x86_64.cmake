# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the posix flavour, which has
# std::thread), for the `windows` preset. Programs are linked statically: sg-race.exe needs no
# DLL beyond Windows' own. Tests and tools built here run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT -s)

# Programs of the build run under Wine (Debian's `wine` starts the 64-bit loader of `wine64`
# when there is no 32-bit Wine), in a Wine folder of the build's own, quiet, without the .NET
# and web-page components a first start would offer to install, and naming Linux files in
# UTF-8 whatever the locale.
find_program(SG_WINE NAMES wine wine64 PATHS /usr/lib/wine)
if(SG_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all
        WINEDLLOVERRIDES=mscoree,mshtml= LC_ALL=C.UTF-8 ${SG_WINE})
endif()
