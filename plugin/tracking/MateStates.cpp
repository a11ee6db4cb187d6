#include "tracking/MateStates.h"

#include <vector>

#include "host/Framework.h"

namespace packsentinel {
namespace {

std::uint64_t PlayerIdOfMember(AShooterGameMode* gameMode, std::uint32_t memberId) {
  const auto dataId = static_cast<std::int32_t>(memberId);
  std::uint64_t playerId = host::GetSteamIdForPlayerId(gameMode, dataId);
  if (playerId != 0) return playerId;
  const auto linkedId = static_cast<std::uint64_t>(static_cast<std::int64_t>(dataId));
  for (AShooterPlayerController* controller : host::GetPlayerControllers(host::GetWorld())) {
    if (controller != nullptr && host::GetLinkedPlayerId(controller) == linkedId) {
      playerId = host::GetPlayerId(controller);
      break;
    }
  }
  host::AddPlayerId(gameMode, dataId, playerId);
  return playerId;
}

bool IsPresent(AShooterPlayerController* controller, AShooterCharacter* character) {
  return !host::IsRespawning(controller) && !host::IsDead(character) &&
         host::IsConnected(character);
}

}  // namespace

MateState& MateStates::Of(AShooterGameMode* gameMode, std::uint32_t memberId) {
  const auto [found, added] = mates_.try_emplace(memberId);
  if (added) found->second.playerId = PlayerIdOfMember(gameMode, memberId);
  return found->second;
}

AShooterPlayerController* MateStates::FindControllerBySteamId(std::uint64_t playerId) {
  if (!controllers_) {
    controllers_.emplace();
    for (AShooterPlayerController* controller : host::GetPlayerControllers(host::GetWorld())) {
      if (controller != nullptr) (*controllers_)[host::GetPlayerId(controller)] = controller;
    }
  }
  const auto found = controllers_->find(playerId);
  return found == controllers_->end() ? nullptr : found->second;
}

AShooterCharacter* MateStates::PresentCharacter(MateState& mate) {
  if (!mate.character) {
    mate.controller = FindControllerBySteamId(mate.playerId);
    AShooterCharacter* character =
        mate.controller ? host::GetPlayerCharacter(mate.controller) : nullptr;
    const bool present = character != nullptr && IsPresent(mate.controller, character);
    mate.character = present ? character : nullptr;
  }
  return *mate.character;
}

void MateStates::ReadLabelParts(MateState& mate) {
  if (mate.labelAt) return;
  mate.labelAt = host::GetPawnViewLocation(*mate.character, false);
  host::GetPlayerCharacterName(mate.controller, mate.name);
}

}  // namespace packsentinel
