#include "tracking/TrackerStates.h"

#include "host/Game.h"

namespace packsentinel {

const TrackerState& TrackerStates::Of(const host::WeakRef<AShooterPlayerController>& tracker) {
  const std::uint64_t identity = tracker.Identity();
  if (last_ != nullptr && identity == lastIdentity_) return *last_;
  const auto [found, added] = states_.try_emplace(identity);
  TrackerState& state = found->second;
  if (added) {
    state.controller = tracker.Get();
    state.character = state.controller ? host::GetPlayerCharacter(state.controller) : nullptr;
    state.gone = isGone_(state.controller, state.character);
    if (readsTeam_ && !state.gone) state.team = host::GetTargetingTeam(state.controller);
  }
  lastIdentity_ = identity;
  last_ = &state;
  return state;
}

}  // namespace packsentinel
