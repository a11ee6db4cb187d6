#pragma once

// The permissions plugin's public header, declared as the real one declares it: an ordinary C++
// function, exported only under the name the compiler gives this declaration.

#include <API/ARK/Ark.h>

namespace Permissions {

ARK_API bool IsPlayerInGroup(uint64 steam_id, const FString& group);

}  // namespace Permissions
