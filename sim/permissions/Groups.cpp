#include "permissions/Groups.h"

#include <Permissions.h>

#include <algorithm>
#include <unordered_map>

#include "framework/Server.h"

namespace {

std::unordered_map<uint64, std::vector<std::string>>& Membership() {
  static std::unordered_map<uint64, std::vector<std::string>> membership;
  return membership;
}

// The library is the plugin "Permissions" while it is mapped, as other plugins ask the
// framework.
[[gnu::constructor]] void OnAttach() { framework::SetPluginLoaded("Permissions", true); }
[[gnu::destructor]] void OnDetach() { framework::SetPluginLoaded("Permissions", false); }

}  // namespace

namespace permissions {

void SetGroups(uint64 steamId, std::vector<std::string> groups) {
  Membership()[steamId] = std::move(groups);
}

void ClearGroups() { Membership().clear(); }

std::vector<std::string> GroupsOf(uint64 steamId) {
  const auto it = Membership().find(steamId);
  return it == Membership().end() ? std::vector<std::string>{} : it->second;
}

}  // namespace permissions

namespace Permissions {

PERMISSIONS_EXPORT bool IsPlayerInGroup(uint64 steamId, const FString& group) {
  const auto it = Membership().find(steamId);
  if (it == Membership().end()) return false;
  const std::string name = group.ToString();
  return std::find(it->second.begin(), it->second.end(), name) != it->second.end();
}

}  // namespace Permissions
