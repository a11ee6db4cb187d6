#pragma once

// A symbol of a library the process has already loaded, found without loading anything or
// keeping a reference: the library may come later, be replaced or go while the plugin runs.

#include <string>

namespace host {

// None when the library is not loaded or has no such symbol; why then says which.
void* FindLoadedSymbol(const char* library, const char* symbol, std::string& why);

}  // namespace host
