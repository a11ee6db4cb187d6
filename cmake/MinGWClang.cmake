# 64-bit Windows, built by clang 14 for the MinGW-w64 target: the compiler that takes the real
# framework's headers as MSVC does (cmake/RealFramework.cmake). It uses MinGW-w64's own C headers,
# libstdc++ and runtime, so its objects link with g++'s and share libstdc++'s ABI.
include(${CMAKE_CURRENT_LIST_DIR}/MinGWTarget.cmake)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)

# clang's own search misses Debian's MinGW-w64 layout and would take Linux's headers: every
# folder is named, and nothing else is searched.
execute_process(COMMAND ${MINGW_GXX} -print-libgcc-file-name
  OUTPUT_VARIABLE libgcc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(MINGW_GCC_DIR ${libgcc} DIRECTORY)
execute_process(COMMAND clang++-14 -print-resource-dir
  OUTPUT_VARIABLE clang_resources OUTPUT_STRIP_TRAILING_WHITESPACE)
set(libstdcxx ${MINGW_GCC_DIR}/include/c++)
string(JOIN " " CMAKE_CXX_FLAGS_INIT -nostdinc -nostdinc++
  -isystem ${libstdcxx} -isystem ${libstdcxx}/x86_64-w64-mingw32 -isystem ${libstdcxx}/backward
  -isystem ${clang_resources}/include -isystem /usr/x86_64-w64-mingw32/include)
foreach(kind EXE SHARED MODULE)
  # The compile's flags above reach the link too, where they mean nothing.
  set(CMAKE_${kind}_LINKER_FLAGS_INIT
    "-L${MINGW_GCC_DIR} -pthread -Wno-unused-command-line-argument")
endforeach()
