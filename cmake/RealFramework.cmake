# The real framework's own public headers (PACKSENTINEL_FRAMEWORK_DIR: its Core/Public folder,
# with Core/Private/Ark/Globals.h beside it, as the framework ships them) in place of our
# stand-in's, for what plugins compile: plugin/host/ and the stand-in's log sinks. Taken as MSVC
# takes them: clang in Microsoft compatibility mode accepts their casts of void* to function
# pointers and their enumerators above INT_MAX, which g++ refuses. Their bundled fmt 4.1,
# spdlog 0.16 and json 3.10 are the only ones the plugin sees.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The real framework's headers need clang for MinGW-w64 "
    "(cmake/MinGWClang.cmake, the windows-real preset)")
endif()
set(public ${PACKSENTINEL_FRAMEWORK_DIR})
if(NOT EXISTS ${public}/API/ARK/Ark.h OR NOT EXISTS ${public}/../Private/Ark/Globals.h)
  message(FATAL_ERROR "PACKSENTINEL_FRAMEWORK_DIR (${public}) is not the framework's "
    "Core/Public folder with Core/Private/Ark/Globals.h beside it")
endif()

# What MSVC's own headers would bring and MinGW's do not, as the framework's headers assume:
# windows.h spelt Windows.h, Base.h included as "..\Base.h", and names used without their header.
set(shims ${CMAKE_BINARY_DIR}/real-framework-shims)
file(WRITE ${shims}/Windows.h "#include <windows.h>\n")
file(WRITE "${shims}/..\\Base.h" "#include <API/Base.h>\n")
file(WRITE ${shims}/preamble.h
  "#include <cmath>\n#include <cstddef>\n#include <cstdlib>\nusing std::nullptr_t;\n")

# Microsoft compatibility stops defining the GNU macros MinGW's headers and libstdc++ rely on.
set(gnu __GNUC__=4 __GNUC_MINOR__=2 __GNUC_PATCHLEVEL__=1 __GNUG__=4 __GNUC_GNU_INLINE__=1
  __GXX_ABI_VERSION=1002 __GXX_EXPERIMENTAL_CXX0X__=1 __GXX_RTTI=1 __GXX_WEAK__=1 __EXCEPTIONS=1
  __STDC__=1 __STRICT_ANSI__=1 __GCC_ATOMIC_TEST_AND_SET_TRUEVAL=1)
foreach(kind BOOL CHAR CHAR8_T CHAR16_T CHAR32_T WCHAR_T SHORT INT LONG LLONG POINTER)
  list(APPEND gnu __GCC_ATOMIC_${kind}_LOCK_FREE=2)
endforeach()

add_library(real_framework_headers INTERFACE)
target_include_directories(real_framework_headers SYSTEM INTERFACE ${public}/Logger ${public}
  ${shims})
target_compile_definitions(real_framework_headers INTERFACE WIN32_LEAN_AND_MEAN ${gnu})
# GetStructSize<T> names an incomplete type in a template body; ARK/Enums.h narrows.
target_compile_options(real_framework_headers INTERFACE -fms-extensions -fms-compatibility
  -fms-compatibility-version=19.29 -fdelayed-template-parsing -Wno-c++11-narrowing
  "SHELL:-include ${shims}/preamble.h")

# The bundled spdlog 0.16 alone, as <spdlog/...>: what the stand-in's log sinks are made of.
add_library(real_framework_spdlog INTERFACE)
target_include_directories(real_framework_spdlog SYSTEM INTERFACE ${public}/Logger)

# The bundled json 3.10, as <json.hpp>, from a folder that holds nothing else of the framework.
set(json ${CMAKE_BINARY_DIR}/real-framework-json)
file(MAKE_DIRECTORY ${json})
file(CREATE_LINK ${public}/json.hpp ${json}/json.hpp SYMBOLIC)
add_library(real_framework_json INTERFACE)
target_include_directories(real_framework_json SYSTEM INTERFACE ${json})
