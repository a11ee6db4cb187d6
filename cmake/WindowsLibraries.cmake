# Debian builds fmt, spdlog and the JSON library for Linux only, so on Windows they are used
# header-only, from a folder that holds them and nothing else: the cross compiler must not see
# Linux's own headers. <json.hpp> is where the framework puts its json.
set(HEADER_LIBRARIES ${CMAKE_BINARY_DIR}/header-libraries)
file(MAKE_DIRECTORY ${HEADER_LIBRARIES})
foreach(library nlohmann fmt spdlog)
  file(CREATE_LINK /usr/include/${library} ${HEADER_LIBRARIES}/${library} SYMBOLIC)
endforeach()
set(PACKSENTINEL_JSON_DIR ${HEADER_LIBRARIES}/nlohmann CACHE PATH "")

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${HEADER_LIBRARIES})
add_library(fmt::fmt INTERFACE IMPORTED)
target_include_directories(fmt::fmt SYSTEM INTERFACE ${HEADER_LIBRARIES})
target_compile_definitions(fmt::fmt INTERFACE FMT_HEADER_ONLY)
add_library(spdlog::spdlog INTERFACE IMPORTED)
target_link_libraries(spdlog::spdlog INTERFACE fmt::fmt)
target_compile_definitions(spdlog::spdlog INTERFACE SPDLOG_FMT_EXTERNAL)

# Windows names libraries without "lib"; the loader looks for Packsentinel.dll.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_SHARED_MODULE_PREFIX "")
# The compiler's own runtime libraries go beside the programs, where Windows looks first.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${MINGW_GXX} -print-file-name=${runtime}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  file(COPY ${path} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()
