#pragma once

// The game's names the plugin uses, and a name as the framework's resolver takes it: a
// std::string built once for each name, "AActor.TargetingTeam"_name, so that a use costs no
// allocation (with -fno-plt on host/, 34 % of a full-server refresh; docs/benchmarks.md). Only
// the name is kept ready; every use still resolves it anew. A name written that way must be one
// of kGameNames, which the start checks: the compiler holds the two together.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace host {

// How the resolver is asked, and so how it answers a name the game does not have.
enum class NameKind { Function, Field, Flag };

struct GameNameEntry {
  NameKind kind;
  std::string_view name;
};

inline constexpr GameNameEntry kGameNames[] = {
    {NameKind::Function, "AShooterPlayerController.GetUniqueNetIdAsUINT64"},
    {NameKind::Function, "AShooterPlayerController.GetPlayerCharacter"},
    {NameKind::Function, "AShooterPlayerController.GetPlayerCharacterName"},
    {NameKind::Function, "AShooterPlayerController.ClientChatMessage"},
    {NameKind::Function, "AShooterPlayerController.ClientServerChatDirectMessage"},
    {NameKind::Function, "AShooterPlayerController.ClientServerNotificationSingle"},
    {NameKind::Function, "AShooterPlayerController.ClientServerSOTFNotificationCustom"},
    {NameKind::Function, "AShooterPlayerController.ClientAddFloatingText"},
    {NameKind::Function, "AActor.MulticastDrawDebugString"},
    {NameKind::Function, "AActor.GetDistanceTo"},
    {NameKind::Function, "UObjectBaseUtility.IsA"},
    {NameKind::Function, "APrimalDinoCharacter.GetPrivateStaticClass"},
    {NameKind::Function, "APrimalDinoCharacter.GetDinoDescriptiveName"},
    {NameKind::Function, "APrimalCharacter.IsDead"},
    {NameKind::Function, "APrimalCharacter.GetCapsuleTopLocation"},
    {NameKind::Function, "UPrimalCharacterStatusComponent.GetCharacterLevel"},
    {NameKind::Function, "AShooterCharacter.GetPawnViewLocation"},
    {NameKind::Function, "AShooterGameMode.GetSteamIDForPlayerID"},
    {NameKind::Function, "AShooterGameMode.AddPlayerID"},
    {NameKind::Function, "UWorld.GetWorldSettings"},
    {NameKind::Function, "UVictoryCore.ServerOctreeOverlapActors"},
    {NameKind::Function, "UGameplayStatics.GetAllActorsOfClass"},
    {NameKind::Function, "FWeakObjectPtr.Get"},
    // Reached through the framework's own headers, by the texts, arrays, weak references and
    // RCON replies the plugin uses.
    {NameKind::Function, "FWeakObjectPtr.operator="},
    {NameKind::Function, "FMemory.Malloc"},
    {NameKind::Function, "FMemory.Realloc"},
    {NameKind::Function, "FMemory.Free"},
    {NameKind::Function, "RCONClientConnection.SendMessageW"},
    {NameKind::Field, "AShooterPlayerController.LinkedPlayerID"},
    {NameKind::Field, "AActor.TargetingTeam"},
    {NameKind::Field, "AActor.RootComponent"},
    {NameKind::Field, "AController.PlayerState"},
    {NameKind::Field, "USceneComponent.ComponentToWorld"},
    {NameKind::Field, "APrimalCharacter.DescriptiveName"},
    {NameKind::Field, "APrimalCharacter.MyCharacterStatusComponent"},
    {NameKind::Field, "AShooterPlayerState.MyTribeData"},
    {NameKind::Field, "FTribeData.MembersPlayerDataID"},
    {NameKind::Field, "UWorld.PlayerControllerList"},
    {NameKind::Field, "APrimalWorldSettings.LatitudeScale"},
    {NameKind::Field, "APrimalWorldSettings.LatitudeOrigin"},
    {NameKind::Field, "APrimalWorldSettings.LongitudeScale"},
    {NameKind::Field, "APrimalWorldSettings.LongitudeOrigin"},
    {NameKind::Flag, "AShooterPlayerController.bIsRespawning"},
    {NameKind::Flag, "APrimalDinoCharacter.bIsDestroyingDino"},
    {NameKind::Flag, "APrimalCharacter.bIsDead"},
    {NameKind::Flag, "APrimalCharacter.bIsSleeping"},
    {NameKind::Flag, "AShooterCharacter.bIsConnected"},
};

template <std::size_t N>
struct NameLiteral {
  char text[N];
  constexpr NameLiteral(const char (&literal)[N]) { std::copy_n(literal, N, text); }
  constexpr std::string_view View() const { return {text, N - 1}; }
};

template <NameLiteral literal>
const std::string& operator""_name() {
  static_assert(
      std::any_of(std::begin(kGameNames), std::end(kGameNames),
                  [](const GameNameEntry& entry) { return entry.name == literal.View(); }),
      "a game name the start does not check: add it to kGameNames");
  static const std::string name(literal.View());
  return name;
}

// The names of kGameNames the game does not have, resolved once each and kept nowhere.
std::string UnknownGameNames();

}  // namespace host
