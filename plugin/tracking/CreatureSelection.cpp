#include "tracking/CreatureSelection.h"

#include "host/Game.h"

namespace packsentinel {

bool IsWild(APrimalDinoCharacter* dino) { return host::GetTargetingTeam(dino) <= kWildTeamBound; }

bool BelongsTo(APrimalDinoCharacter* dino, std::optional<std::int32_t> team) {
  return team ? host::GetTargetingTeam(dino) == *team : IsWild(dino);
}

}  // namespace packsentinel
