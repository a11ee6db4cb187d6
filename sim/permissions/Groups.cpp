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

// On Windows the header imports the function, as it does for every other plugin; defined here, it
// is exported under MSVC's name only (Permissions.def), not under its own.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
// Group names match ignoring case, as the real plugin's do.
bool IsPlayerInGroup(uint64 steam_id, const FString& group) {
  const auto it = Membership().find(steam_id);
  if (it == Membership().end()) return false;
  return std::any_of(it->second.begin(), it->second.end(), [&](const std::string& name) {
    return group.Equals(FString(name.c_str()), ESearchCase::IgnoreCase);
  });
}
#pragma GCC diagnostic pop

}  // namespace Permissions
