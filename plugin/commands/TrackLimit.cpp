#include "commands/TrackLimit.h"

#include "core/Config.h"
#include "core/Lifecycle.h"
#include "host/Framework.h"
#include "host/Game.h"

namespace packsentinel {
namespace {

// Without the permissions plugin nobody is in any group; the server owner reads why once.
bool IsInGroup(uint64 playerId, const std::string& group) {
  static bool reported = false;
  std::string bindError;
  const auto answer = host::IsPlayerInGroup(playerId, group, bindError);
  if (answer) return *answer;
  if (!reported && PluginLogger()) {
    PluginLogger()->error("Can't ask the permissions plugin: {}", bindError);
    reported = true;
  }
  return false;
}

}  // namespace

bool HasCommandPermission(uint64 playerId, const std::vector<std::string>& groups) {
  for (const auto& group : groups) {
    if (IsInGroup(playerId, group)) return true;
  }
  return false;
}

int32 GetTrackLimit(AShooterPlayerController* controller) {
  if (controller == nullptr) return 0;
  const uint64 id = host::GetPlayerId(controller);
  auto& groups = Config["MaxTrackPerGroup"];

  bool inAnyGroup = false;
  for (auto group = groups.begin(); group != groups.end(); ++group) {
    group.value().get<int32>();  // a limit that is not a number fails here, member or not
    if (IsInGroup(id, group.key())) {
      inAnyGroup = true;
      break;
    }
  }
  if (!inAnyGroup) return Config["MaxTrackPerPlayer"].get<int32>();

  nlohmann::json limit = 0;
  for (auto group = groups.begin(); group != groups.end(); ++group) {
    if (IsInGroup(id, group.key()) && limit < group.value()) limit = group.value().get<int32>();
  }
  return limit.get<int32>();
}

}  // namespace packsentinel
