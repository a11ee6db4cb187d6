#include "commands/WildCreature.h"

#include "core/AsciiCase.h"

namespace packsentinel {

bool CreatureRequest::NameMatches(host::TextView dinoName) const {
  return nameSearch.FoundIn(dinoName);
}

bool CreatureRequest::LevelMatches(std::int32_t dinoLevel) const {
  return !level.isLevel || level.level == dinoLevel;
}

bool CreatureRequest::LevelMatches(APrimalDinoCharacter* dino) const {
  if (!level.isLevel) return true;
  UPrimalCharacterStatusComponent* status = host::GetStatusComponent(dino);
  return status != nullptr && LevelMatches(host::GetCharacterLevel(status));
}

CreatureRequest ReadCreatureRequest(const Words& words) {
  CreatureRequest request;
  request.level = ReadLevelWord(words.back());
  request.name = JoinWords(words, 1, request.level.isLevel ? words.size() - 1 : words.size());
  request.nameSearch = NameSearch(request.name);
  return request;
}

}  // namespace packsentinel
