# 64-bit Windows, built by Debian's MinGW-w64 cross compiler with POSIX threads (std::thread and
# std::mutex as on Linux).
include(${CMAKE_CURRENT_LIST_DIR}/MinGWTarget.cmake)
set(CMAKE_CXX_COMPILER ${MINGW_GXX})
