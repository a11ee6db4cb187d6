#include "host/DynamicLibrary.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace host {

#ifdef _WIN32

void* OpenLibrary(const char* name) { return LoadLibraryA(name); }

void* FindSymbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void CloseLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

std::string LastLinkError() {
  const DWORD code = GetLastError();
  return code == 0 ? std::string() : "system error " + std::to_string(code);
}

#else

void* OpenLibrary(const char* name) { return dlopen(name, RTLD_NOW); }

void* FindSymbol(void* library, const char* name) { return dlsym(library, name); }

void CloseLibrary(void* library) { dlclose(library); }

std::string LastLinkError() {
  const char* reason = dlerror();
  return reason ? reason : "";
}

#endif

}  // namespace host
