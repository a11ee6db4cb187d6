#pragma once

// The game as the plugin sees it: typed wrappers over the functions, fields and flags the game
// publishes by name. Every call resolves its name anew; nothing is cached. The wrappers take the
// classes the plugin holds, so no caller converts between game classes it knows only by name.

#include <cstdint>
#include <vector>

#include "host/Colour.h"
#include "host/GameTypes.h"
#include "host/Text.h"

namespace host {

// A position or a direction in game units.
struct Vector {
  float X, Y, Z;
};

// Player controllers.
std::uint64_t GetPlayerId(AShooterPlayerController* controller);  // 0 for none
AShooterCharacter* GetPlayerCharacter(AShooterPlayerController* controller);
bool IsRespawning(AShooterPlayerController* controller);
std::uint64_t GetLinkedPlayerId(AShooterPlayerController* controller);
void GetPlayerCharacterName(AShooterPlayerController* controller, GameText& name);
AShooterPlayerState* GetPlayerState(AShooterPlayerController* controller);
std::int32_t GetTargetingTeam(AShooterPlayerController* controller);

// What players are sent.
void ClientChatMessage(AShooterPlayerController* controller, TextView senderName, TextView message);
void ClientServerChatDirectMessage(AShooterPlayerController* controller, TextView text,
                                   const LinearColour& colour, bool bold);
void ClientServerNotificationSingle(AShooterPlayerController* controller, TextView text,
                                    const LinearColour& colour, float scale, float displayTime,
                                    UTexture2D* icon, USoundBase* sound, std::int32_t priority);
void ClientServerSOTFNotificationCustom(AShooterPlayerController* controller, TextView text,
                                        const LinearColour& colour, float scale, float displayTime,
                                        UTexture2D* icon, USoundBase* sound);
void ClientAddFloatingText(AShooterPlayerController* controller, const Vector& at,
                           const GameText& text, PackedColour colour, float scaleX, float scaleY,
                           float lifeSpan, const Vector& velocity, float minScale, float fadeIn,
                           float fadeOut);
// Drawn by the controller's own actor.
void MulticastDrawDebugString(AShooterPlayerController* controller, const Vector& at,
                              const GameText& text, AActor* baseActor, const LinearColour& colour,
                              float duration, bool popBack);

// Actors.
UClass* GetDinoClass();
// The actor as a creature when it is one of class creatureClass, otherwise none.
APrimalDinoCharacter* AsCreature(AActor* actor, UClass* creatureClass);
USceneComponent* GetRootComponent(APrimalDinoCharacter* creature);
USceneComponent* GetRootComponent(AShooterCharacter* character);
// Where the component is in the world, wherever it is attached: its RelativeLocation is only an
// offset from its parent (a rider's from his mount).
Vector GetWorldLocation(USceneComponent* component);
float GetDistanceTo(APrimalDinoCharacter* creature, AShooterCharacter* other);
float GetDistanceTo(AShooterCharacter* character, AShooterCharacter* other);

// Creatures.
std::int32_t GetTargetingTeam(APrimalDinoCharacter* creature);
// The game's answer.
bool IsDead(APrimalDinoCharacter* creature);
bool IsDeadFlagSet(APrimalDinoCharacter* creature);
bool IsSleeping(APrimalDinoCharacter* creature);
bool IsDestroyingDino(APrimalDinoCharacter* creature);
// Read in place: valid while the creature lives and keeps its name.
TextView GetDescriptiveName(APrimalDinoCharacter* creature);
void GetDinoDescriptiveName(APrimalDinoCharacter* creature, GameText& name);
UPrimalCharacterStatusComponent* GetStatusComponent(APrimalDinoCharacter* creature);
std::int32_t GetCharacterLevel(UPrimalCharacterStatusComponent* status);
Vector GetCapsuleTopLocation(APrimalDinoCharacter* creature);

// Players' characters.
bool IsDead(AShooterCharacter* character);
bool IsConnected(AShooterCharacter* character);
Vector GetPawnViewLocation(AShooterCharacter* character, bool allTransforms);

// Tribes and player ids.
void GetTribeMemberIds(AShooterPlayerState* state, std::vector<std::uint32_t>& ids);
std::uint64_t GetSteamIdForPlayerId(AShooterGameMode* gameMode, std::int32_t playerDataId);
void AddPlayerId(AShooterGameMode* gameMode, std::int32_t playerDataId, std::uint64_t playerId);

// The world.
// Every player controller the world lists, none for one that is gone.
std::vector<AShooterPlayerController*> GetPlayerControllers(UWorld* world);
APrimalWorldSettings* GetWorldSettings(UWorld* world);
struct MapScale {
  float latitudeScale, latitudeOrigin, longitudeScale, longitudeOrigin;
};
MapScale GetMapScale(APrimalWorldSettings* settings);
// The actors of an octree group within radius of centre, in the game's order.
void ServerOctreeOverlapActors(std::vector<AActor*>& actors, UWorld* world, const Vector& centre,
                               float radius, std::int32_t octreeGroup, bool forceLocationCheck);
void GetAllActorsOfClass(UWorld* world, UClass* actorClass, std::vector<AActor*>& actors);

}  // namespace host
