#pragma once

// The server's side of the permissions plugin: who belongs to which group.

#include <string>
#include <vector>

#include "ArkApi/BasicTypes.h"
#include "ArkApi/Export.h"

namespace permissions {

// Replaces the player's groups; an empty list leaves him in none.
ARKAPI_EXPORT void SetGroups(uint64 steamId, std::vector<std::string> groups);
ARKAPI_EXPORT void ClearGroups();
// His groups, in the order they were given.
ARKAPI_EXPORT std::vector<std::string> GroupsOf(uint64 steamId);

}  // namespace permissions
