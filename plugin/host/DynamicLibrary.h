#pragma once

// The system's run-time linking: a library opened by name and a symbol found in it.

#include <string>

namespace host {

// None when the library cannot be opened.
void* OpenLibrary(const char* name);
// None when the library has no such symbol.
void* FindSymbol(void* library, const char* name);
void CloseLibrary(void* library);
// Why the last open or look-up failed; empty when the system does not say.
std::string LastLinkError();

}  // namespace host
