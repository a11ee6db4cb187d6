#include "commands/WildCreature.h"

namespace packsentinel {

bool IsWild(APrimalDinoCharacter* dino) { return host::GetTargetingTeam(dino) <= kWildTeamBound; }

bool CreatureRequest::Matches(APrimalDinoCharacter* dino) const {
  if (!NameContains(host::GetDescriptiveName(dino).View(), name)) return false;
  if (!level.isLevel) return true;
  if (!level.level) return false;
  UPrimalCharacterStatusComponent* status = host::GetStatusComponent(dino);
  return status != nullptr && host::GetCharacterLevel(status) == *level.level;
}

CreatureRequest ReadCreatureRequest(const Words& words) {
  CreatureRequest request;
  request.level = ReadLevelWord(words.back());
  request.name = JoinWords(words, 1, request.level.isLevel ? words.size() - 1 : words.size());
  return request;
}

}  // namespace packsentinel
