#pragma once

// The permissions plugin. Its library exports IsPlayerInGroup under an unmangled name so that
// plugins can bind it on first use (dlopen + dlsym) and load even while it is absent.

#include "ArkApi/BasicTypes.h"
#include "ArkApi/FString.h"

namespace Permissions {

extern "C" bool IsPlayerInGroup(uint64 steamId, const FString& group);

using IsPlayerInGroupFunction = bool (*)(uint64, const FString&);
#ifdef _WIN32
inline constexpr const char* kLibraryName = "Permissions.dll";
#else
inline constexpr const char* kLibraryName = "libPermissions.so";
#endif
inline constexpr const char* kIsPlayerInGroupSymbol = "IsPlayerInGroup";

}  // namespace Permissions
