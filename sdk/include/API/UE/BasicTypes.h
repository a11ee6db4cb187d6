#pragma once

// The engine's integer and character types.

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstddef>

typedef signed char int8;
typedef unsigned char uint8;
typedef signed short int int16;
typedef unsigned short int uint16;
typedef signed int int32;
typedef unsigned int uint32;
typedef signed long long int64;
typedef unsigned long long uint64;

typedef char ANSICHAR;
typedef wchar_t WIDECHAR;
typedef uint16 UCS2CHAR;

// The game's text is 16-bit. Windows' wchar_t is; elsewhere wchar_t is 32 bits, so the game's
// character there is char16_t.
#ifdef _WIN32
typedef WIDECHAR TCHAR;
#else
typedef char16_t TCHAR;
#endif

typedef std::size_t SIZE_T;

enum { INDEX_NONE = -1 };

enum EForceInit { ForceInit, ForceInitToZero };
enum ENoInit { NoInit };
