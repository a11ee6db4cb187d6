#pragma once

// The permissions plugin, as other plugins reach it. Its library exports IsPlayerInGroup under an
// unmangled name so that a plugin can bind it on first use (dlopen + dlsym) and load even while
// it is absent.

#include <API/UE/Containers/FString.h>

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
