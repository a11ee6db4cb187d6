#pragma once

// The host's character type, as the plugin's own code writes and reads it: the framework's TCHAR,
// 16 bits wide (wchar_t on Windows, char16_t in our stand-in elsewhere), views and strings of it,
// and literals of it. host/ checks that it is the framework's own.

#include <string>
#include <string_view>
#include <type_traits>

// A literal of the host's character type: HOST_TEXT("{dinoName}"), HOST_TEXT(' ').
#ifdef _WIN32
#define HOST_TEXT(literal) L##literal
#else
#define HOST_TEXT(literal) u##literal
#endif

namespace host {

using Char = std::remove_const_t<std::remove_reference_t<decltype(HOST_TEXT(' '))>>;
using TextView = std::basic_string_view<Char>;
using String = std::basic_string<Char>;

static_assert(sizeof(Char) == 2, "the game's text has 16-bit characters");

}  // namespace host
