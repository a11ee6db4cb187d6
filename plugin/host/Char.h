#pragma once

// The host's character type, as the plugin's own code writes and reads it: the framework's TCHAR
// (char16_t in our stand-in, wchar_t on Windows), views and strings of it, and literals of it.

#include <string>
#include <string_view>
#include <type_traits>

#include "ArkApi/BasicTypes.h"

// A literal of the host's character type: HOST_TEXT("{dinoName}"), HOST_TEXT(' ').
#ifdef _WIN32
#define HOST_TEXT(literal) L##literal
#else
#define HOST_TEXT(literal) u##literal
#endif

namespace host {

using Char = TCHAR;
using TextView = std::basic_string_view<Char>;
using String = std::basic_string<Char>;

static_assert(std::is_same_v<decltype(HOST_TEXT(' ')), Char>, "literals of the host's characters");

}  // namespace host
