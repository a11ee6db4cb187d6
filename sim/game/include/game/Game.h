#pragma once

// The running game: one world with players, tribes and creatures. It answers the framework
// (current world, game mode, controllers by player id) and is what the devserver and the tests
// drive: they add players and creatures, change them, and hand chat, console lines and ticks
// to the framework.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/Server.h"
#include "game/ObjectTable.h"
#include "game/Objects.h"
#include "game/SpatialIndex.h"

namespace game {

struct PlayerSpec {
  std::string name;
  uint64 steamId = 0;
  int32 dataId = 0;
  std::optional<int32> tribe;
  std::optional<int32> team;  // defaults to the tribe id, else to the data id
  std::vector<std::string> groups{"Default"};
  FVector at;
  bool unmapped = false;  // the game mode does not know his data id yet
};

struct DinoSpec {
  std::string name;
  std::string descriptiveName;
  int32 level = 1;
  int32 team = 0;
  FVector at;
};

// A player as the server knows him across connections.
struct Player {
  std::string name;
  uint64 steamId = 0;
  int32 dataId = 0;
  std::optional<int32> tribe;
  int32 team = 0;
  AShooterPlayerController* controller = nullptr;  // none while disconnected
  AShooterCharacter* character = nullptr;          // his body, none once destroyed
  // Controllers a reconnection kept, oldest first: still online until they log out.
  std::vector<AShooterPlayerController*> keptControllers;
};

// The two ways a label reaches a player.
enum class LabelChannel { DebugString, FloatingText };
// The event each is published as.
inline constexpr std::string_view kLabelEventKinds[] = {"debug_string", "floating_text"};
inline std::string_view EventKindOf(LabelChannel channel) {
  return kLabelEventKinds[static_cast<int>(channel)];
}

// The colour a label was sent with, in its call's form: linear for a debug string, packed for a
// floating text. What the player sees is worked out only when something shows it, not at every
// label a refresh sends.
struct LabelColour {
  LabelChannel channel;
  FLinearColor linear;
  FColor packed;

  FColor Shown() const;
};

// A label drawn for a player, as the devserver keeps it for its reports and snapshots. It refers
// to the caller's arguments, so it lasts only as long as the call.
struct SentLabel {
  const AActor& to;
  const FString& text;
  const FVector& at;
  LabelColour colour;
};

// A linear colour as the screen shows it: each channel through the sRGB transfer curve, clamped
// to 0..1 first, alpha scaled.
FColor DisplayColour(const FLinearColor& colour);

class Game final : public framework::GameBackend {
 public:
  Game();
  ~Game() override;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // The game the named functions act on: the one most recently created.
  static Game& Current();

  Player& AddPlayer(const PlayerSpec& setup);
  APrimalDinoCharacter* SpawnDino(const DinoSpec& setup);

  Player* FindPlayer(std::string_view name) const;
  APrimalDinoCharacter* FindDino(std::string_view name);
  const std::vector<std::unique_ptr<Player>>& Players() const { return players_; }
  std::vector<APrimalDinoCharacter*> Dinos() const;

  // Puts the actor at a world location. An attached actor stays attached, at the offset that puts
  // it there, as the engine moves an attached component; what is attached to it follows.
  void Move(AActor* actor, const FVector& to);
  // child's root goes onto parent's at offset (no rotation), leaving any parent it had, and
  // follows it from then on. Throws std::invalid_argument, changing nothing, for an actor without
  // a root, one attached to itself, or to an actor attached to it (directly or further down).
  void Attach(AActor* child, AActor* parent, const FVector& offset);
  // Detached where it is: its RelativeLocation becomes its world location. Throws
  // std::invalid_argument for an actor attached to nothing.
  void Detach(AActor* child);
  void DestroyDino(APrimalDinoCharacter* dino);
  void DestroyCharacter(Player& player);
  // His controller is destroyed; his character stays, not connected.
  void Disconnect(Player& player);
  // The oldest controller a reconnection kept logs out and is destroyed. False when none was kept.
  bool DisconnectKept(Player& player);
  // A new controller with his steam id and a living, connected character.
  void Reconnect(Player& player, bool keepOldController);
  void SetCharacterPossessed(Player& player, bool possessed);
  void SetTribe(Player& player, std::optional<int32> tribe);
  void SetTeam(Player& player, int32 team);
  void SetGroups(Player& player, std::vector<std::string> groups);
  // The permissions plugin answers as its caching releases do (the default), or truly.
  static void SetPermissionsCaching(bool on);

  // Chat typed by the player (none: a line with no controller), sent in mode. True when a
  // command took it.
  bool Chat(Player* player, std::string_view text,
            EChatSendMode::Type mode = EChatSendMode::GlobalChat);
  bool Console(Player* player, std::string_view text);
  // A line from an authenticated RCON client; replies are rcon_reply events.
  bool Rcon(std::string_view text);

  // The game function published under name throws std::runtime_error("fault: NAME") on its next
  // count calls; false when the game has no function of that name.
  static bool Fault(std::string_view name, int count);
  static void ClearFaults();
  void Tick(int count = 1);

  APrimalWorldSettings& WorldSettings() { return *world_->WorldSettings; }
  UWorld* GameWorld() { return world_; }

  // The overlap queries made since the last take: how many, and the radii of the last
  // kKeptRadii of them, oldest first. Only the last are kept, so a long run that never takes
  // them stays in bounded memory.
  static constexpr std::size_t kKeptRadii = 64;
  uint64 OverlapQueriesMade() const { return overlapQueriesMade_; }
  std::vector<float> TakeOverlapQueries();

  // Told of every label the game's outputs send; none to stop.
  void SetLabelListener(std::function<void(const SentLabel&)> listener) {
    labelListener_ = std::move(listener);
  }
  void LabelSent(const AActor* to, const FString& text, const FVector& at,
                 const FLinearColor& colour) const {
    if (labelListener_) {
      labelListener_({*to, text, at, {LabelChannel::DebugString, colour, FColor(ForceInit)}});
    }
  }
  void LabelSent(const AActor* to, const FString& text, const FVector& at, FColor colour) const {
    if (labelListener_) {
      labelListener_(
          {*to, text, at, {LabelChannel::FloatingText, FLinearColor(ForceInit), colour}});
    }
  }

  // What the named functions need.
  void OverlapActors(const FVector& centre, float radius, int32 group, TArray<AActor*>& out);
  void AllActorsOfClass(const UClass* actorClass, TArray<AActor*>& out) const;
  const ObjectTable& Objects() const { return objects_; }

  // framework::GameBackend, in the framework's opaque types.
  ::UWorld* World() override;
  ::AShooterGameMode* GameMode() override;
  ::AShooterPlayerController* FindControllerBySteamId(uint64 steamId) override;

 private:
  template <typename T>
  T* Spawn();
  template <typename T>
  T* SpawnActor(std::string handle);
  template <typename T>
  T* SpawnCharacter(std::string handle, const FVector& at);
  void DestroyObject(UObject* object);
  void DestroyActor(AActor* actor);
  // The component's world placement from its parent's and its RelativeLocation, its owner's place
  // in the spatial indices, and the same for everything attached below it.
  void Place(USceneComponent* component);
  // Before a component goes: what hangs on it stays where it is, and it leaves its parent.
  void ReleaseAttachments(USceneComponent* component);
  // A character for the player, where he stands (not yet connected).
  void NewBody(Player& player, const FVector& at);
  AShooterPlayerController* NewController(Player& player);
  void RefreshTribeData(int32 tribe);
  // A controller's logout: the framework's lookup loses the steam id, whichever controller of it
  // the entry held.
  void LogOut(AShooterPlayerController* controller);
  void OverlapPawns(const FVector& centre, float radius, TArray<AActor*>& out);

  ObjectTable objects_;
  // Freed object memory by class: the next object of a class takes the last block freed.
  std::unordered_map<const UClass*, std::vector<void*>> freeMemory_;
  std::map<uint64, AActor*> actors_;  // by spawn order
  uint64 lastSpawn_ = 0;
  SpatialIndex dinoIndex_;
  SpatialIndex playerIndex_;
  uint64 overlapQueriesMade_ = 0;
  // The last kKeptRadii radii, a ring once full: the oldest is at overlapQueriesMade_ modulo its
  // size.
  std::vector<float> overlapRadii_;
  std::vector<void*> overlapPlayers_;  // reused, so a query allocates only as results grow
  std::function<void(const SentLabel&)> labelListener_;

  UWorld* world_ = nullptr;
  int rconPackets_ = 0;
  AShooterGameMode* gameMode_ = nullptr;
  std::vector<std::unique_ptr<Player>> players_;
  std::unordered_map<std::string, APrimalDinoCharacter*> dinos_;
  // The framework's player lookup, which it keeps by hooking the game: a controller is entered
  // when it possesses a character, and the steam id erased when any of its controllers logs out.
  std::unordered_map<uint64, AShooterPlayerController*> controllerLookup_;
  std::map<int32, std::vector<int32>> tribes_;  // tribe id to member data ids, joining order
};

}  // namespace game
