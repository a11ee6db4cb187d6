#pragma once

// The server's side of the permissions plugin: who belongs to which group.

#include <API/UE/BasicTypes.h>

#include <string>
#include <vector>

#define PERMISSIONS_EXPORT __attribute__((visibility("default")))

namespace permissions {

// Replaces the player's groups; an empty list leaves him in none.
PERMISSIONS_EXPORT void SetGroups(uint64 steamId, std::vector<std::string> groups);
PERMISSIONS_EXPORT void ClearGroups();
// His groups, in the order they were given.
PERMISSIONS_EXPORT std::vector<std::string> GroupsOf(uint64 steamId);

}  // namespace permissions
