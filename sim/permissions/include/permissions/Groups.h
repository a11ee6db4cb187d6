#pragma once

// The server's side of the permissions plugin: who belongs to which group.

#include <API/UE/BasicTypes.h>

#include <string>
#include <vector>

#ifndef _WIN32
#define PERMISSIONS_EXPORT __attribute__((visibility("default")))
#elif defined(PERMISSIONS_BUILDING)
#define PERMISSIONS_EXPORT __declspec(dllexport)
#else
#define PERMISSIONS_EXPORT __declspec(dllimport)
#endif

namespace permissions {

// Replaces the player's groups; an empty list leaves him in none. His cached answers go, as the
// real plugin's group changes clear them.
PERMISSIONS_EXPORT void SetGroups(uint64 steamId, std::vector<std::string> groups);
// Nobody in any group, nothing cached, the cache on.
PERMISSIONS_EXPORT void ClearGroups();
// On (the default): IsPlayerInGroup answers as the releases with a cache do, the first check of
// each player and group "no". Off: truly from the first check. Either way the cache starts empty.
PERMISSIONS_EXPORT void SetCaching(bool on);
// His groups, in the order they were given.
PERMISSIONS_EXPORT std::vector<std::string> GroupsOf(uint64 steamId);

}  // namespace permissions
