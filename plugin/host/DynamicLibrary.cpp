#include "host/DynamicLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace host {
namespace {

std::string NotLoaded(const char* library) { return std::string(library) + " is not loaded"; }

std::string NoSymbol(const char* library, const char* symbol) {
  return std::string(library) + " has no " + symbol;
}

}  // namespace

#ifdef _WIN32

void* FindLoadedSymbol(const char* library, const char* symbol, std::string& why) {
  // GetModuleHandleA takes no reference, so the library's own reload is never blocked.
  const HMODULE module = GetModuleHandleA(library);
  if (module == nullptr) {
    why = NotLoaded(library);
    return nullptr;
  }
  void* found = reinterpret_cast<void*>(GetProcAddress(module, symbol));
  if (found == nullptr) why = NoSymbol(library, symbol);
  return found;
}

#else

void* FindLoadedSymbol(const char* library, const char* symbol, std::string& why) {
  // RTLD_NOLOAD finds a loaded library only; its reference is given back at once.
  void* handle = dlopen(library, RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) {
    why = NotLoaded(library);
    return nullptr;
  }
  void* found = dlsym(handle, symbol);
  dlclose(handle);
  if (found == nullptr) why = NoSymbol(library, symbol);
  return found;
}

#endif

}  // namespace host
