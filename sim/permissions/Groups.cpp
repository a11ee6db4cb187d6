#include "permissions/Groups.h"

#include <Permissions.h>

#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>

#include "framework/Server.h"

namespace {

std::unordered_map<uint64, std::vector<std::string>>& Membership() {
  static std::unordered_map<uint64, std::vector<std::string>> membership;
  return membership;
}

// The answers cached by player and by group as asked, letter case and all, as the caching
// releases key them.
struct Cache {
  bool on = true;
  std::map<std::pair<uint64, std::basic_string<TCHAR>>, bool> answers;

  void Forget(uint64 steamId) {
    std::erase_if(answers, [steamId](const auto& entry) { return entry.first.first == steamId; });
  }
};

Cache& Answers() {
  static Cache cache;
  return cache;
}

bool IsMember(uint64 steamId, const FString& group) {
  const auto it = Membership().find(steamId);
  if (it == Membership().end()) return false;
  return std::any_of(it->second.begin(), it->second.end(), [&](const std::string& name) {
    return group.Equals(FString(name.c_str()), ESearchCase::IgnoreCase);
  });
}

// The library is the plugin "Permissions" while it is mapped, as other plugins ask the
// framework.
[[gnu::constructor]] void OnAttach() { framework::SetPluginLoaded("Permissions", true); }
[[gnu::destructor]] void OnDetach() { framework::SetPluginLoaded("Permissions", false); }

}  // namespace

namespace permissions {

void SetGroups(uint64 steamId, std::vector<std::string> groups) {
  Membership()[steamId] = std::move(groups);
  Answers().Forget(steamId);
}

void ClearGroups() {
  Membership().clear();
  Answers() = Cache{};
}

void SetCaching(bool on) {
  Answers().on = on;
  Answers().answers.clear();
}

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
#ifdef __clang__
#pragma GCC diagnostic ignored "-Winconsistent-dllimport"
#endif
// Group names match ignoring case, as the real plugin's do. With the cache on, a pair not cached
// yet is cached and then answered from the cache as it was before: "no", whatever the truth.
bool IsPlayerInGroup(uint64 steam_id, const FString& group) {
  const bool member = IsMember(steam_id, group);
  Cache& cache = Answers();
  if (!cache.on) return member;
  const std::basic_string<TCHAR> asked(*group, group.Len());
  const auto [entry, added] = cache.answers.try_emplace({steam_id, asked}, member);
  return !added && entry->second;
}
#pragma GCC diagnostic pop

}  // namespace Permissions
