#include "commands/TrackLimit.h"

#include <algorithm>
#include <json.hpp>

#include "config/Numbers.h"
#include "core/Config.h"
#include "core/Lifecycle.h"
#include "host/Framework.h"
#include "host/Game.h"

namespace packsentinel {
namespace {

// Without the permissions plugin nobody is in any group; the server owner reads why once.
bool IsInGroup(std::uint64_t playerId, const std::string& group) {
  std::string bindError;
  const auto answer = host::IsPlayerInGroup(playerId, group, bindError);
  if (answer) return *answer;
  LogHostFaultOnce("Can't ask the permissions plugin: " + bindError);
  return false;
}

}  // namespace

bool HasCommandPermission(std::uint64_t playerId, const std::vector<std::string>& groups) {
  for (const auto& group : groups) {
    if (IsInGroup(playerId, group)) return true;
  }
  return false;
}

std::int32_t GetTrackLimit(AShooterPlayerController* controller) {
  if (controller == nullptr) return 0;
  const std::uint64_t id = host::GetPlayerId(controller);
  auto& groups = Config[schema::kMaxTrackPerGroup];

  bool inAnyGroup = false;
  for (auto group = groups.begin(); group != groups.end(); ++group) {
    ReadInt32(group.value());  // a limit that is not a number fails here, member or not
    if (IsInGroup(id, group.key())) {
      inAnyGroup = true;
      break;
    }
  }
  if (!inAnyGroup) return ReadInt32(Config[schema::kMaxTrackPerPlayer]);

  // Compared as read, not as JSON values: the library ranks true below every number and an
  // unsigned number of 2^63 or more below zero, which would give such a group no slot at all.
  std::int32_t limit = 0;
  for (auto group = groups.begin(); group != groups.end(); ++group) {
    if (IsInGroup(id, group.key())) limit = std::max(limit, GroupLimit(group.value()));
  }
  return limit;
}

}  // namespace packsentinel
