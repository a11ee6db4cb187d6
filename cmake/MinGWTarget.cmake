# 64-bit Windows with the MinGW-w64 runtime, whichever compiler the including toolchain file names.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# Whose runtime libraries (libstdc++ with POSIX threads) every Windows build links.
set(MINGW_GXX x86_64-w64-mingw32-g++-posix)
# Libraries and headers come from the Windows side only; programs run here.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Its programs run here under wine.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
