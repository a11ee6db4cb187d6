#include "game/Game.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "Faults.h"
#include "GameStorage.h"
#include "Names.h"
#include "permissions/Groups.h"

namespace game {
namespace {

Game* current = nullptr;

}  // namespace

Game::Game() {
  RegisterNames();
  current = this;
  world_ = Spawn<UWorld>();
  world_->WorldSettings = SpawnActor<APrimalWorldSettings>("world-settings");
  gameMode_ = SpawnActor<AShooterGameMode>("game-mode");
  framework::SetGameBackend(this);
}

Game::~Game() {
  framework::SetGameBackend(nullptr);
  while (!actors_.empty()) DestroyActor(actors_.begin()->second);
  DestroyObject(world_);
  for (auto& [objectClass, blocks] : freeMemory_) {
    for (void* block : blocks) ::operator delete(block);
  }
  permissions::ClearGroups();
  if (current == this) current = nullptr;
}

Game& Game::Current() {
  if (current == nullptr) throw std::logic_error("no game is running");
  return *current;
}

template <typename T>
T* Game::Spawn() {
  // Blocks come from plain operator new, aligned for a component's transform at most.
  static_assert(alignof(T) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
  const UClass* objectClass = T::StaticClass();
  auto& blocks = freeMemory_[objectClass];
  void* memory;
  if (blocks.empty()) {
    memory = ::operator new(sizeof(T));
  } else {
    memory = blocks.back();
    blocks.pop_back();
  }
  T* object = new (memory) T();
  object->ClassPrivate = objectClass;
  objects_.Add(object);
  return object;
}

template <typename T>
T* Game::SpawnActor(std::string handle) {
  T* actor = Spawn<T>();
  actor->Handle = std::move(handle);
  actor->SpawnSequence = ++lastSpawn_;
  actors_.emplace(actor->SpawnSequence, actor);
  return actor;
}

template <typename T>
T* Game::SpawnCharacter(std::string handle, const FVector& at) {
  T* character = SpawnActor<T>(std::move(handle));
  USceneComponent* root = character->RootComponent = Spawn<USceneComponent>();
  root->Owner = character;
  root->RelativeLocation = at;
  root->ComponentToWorld = TransformAt(at);
  character->MyCharacterStatusComponent = Spawn<UPrimalCharacterStatusComponent>();
  return character;
}

void Game::DestroyObject(UObject* object) {
  const UClass* objectClass = object->ClassPrivate;
  objects_.Remove(object);
  object->~UObject();
  freeMemory_[objectClass].push_back(object);
}

void Game::DestroyActor(AActor* actor) {
  actors_.erase(actor->SpawnSequence);
  if (actor->IsA(AShooterPlayerController::StaticClass())) {
    auto* controller = static_cast<AShooterPlayerController*>(actor);
    // As the game's logout does: otherwise every reconnection would leave a dead entry that
    // each walk of the list pays for.
    auto& list = world_->PlayerControllerList;
    for (int32 i = 0; i < list.Num(); ++i) {
      if (objects_.Resolve(list[i]) == controller) {
        list.RemoveAt(i);
        break;
      }
    }
  }
  if (actor->IsA(APrimalDinoCharacter::StaticClass())) dinoIndex_.Remove(actor);
  if (actor->IsA(AShooterCharacter::StaticClass())) playerIndex_.Remove(actor);
  if (actor->IsA(APrimalCharacter::StaticClass())) {
    auto* character = static_cast<APrimalCharacter*>(actor);
    if (character->MyCharacterStatusComponent) DestroyObject(character->MyCharacterStatusComponent);
  }
  if (actor->RootComponent) {
    ReleaseAttachments(actor->RootComponent);
    DestroyObject(actor->RootComponent);
  }
  DestroyObject(actor);
}

Player& Game::AddPlayer(const PlayerSpec& setup) {
  if (FindPlayer(setup.name) || FindDino(setup.name)) {
    throw std::invalid_argument("an actor named " + setup.name + " exists already");
  }
  auto& player = *players_.emplace_back(std::make_unique<Player>());
  player.name = setup.name;
  player.steamId = setup.steamId;
  player.dataId = setup.dataId;
  player.tribe = setup.tribe;
  player.team = setup.team.value_or(setup.tribe.value_or(setup.dataId));
  NewBody(player, setup.at);
  player.character->SetConnected(true);
  NewController(player);
  if (!setup.unmapped) gameMode_->PlayerIds[setup.dataId] = setup.steamId;
  permissions::SetGroups(setup.steamId, setup.groups);
  if (setup.tribe) {
    tribes_[*setup.tribe].push_back(setup.dataId);
    RefreshTribeData(*setup.tribe);
  }
  return player;
}

void Game::NewBody(Player& player, const FVector& at) {
  player.character = SpawnCharacter<AShooterCharacter>(player.name, at);
  player.character->DescriptiveName = FString(ArkApi::Tools::Utf8Decode(player.name));
  player.character->TargetingTeam = player.team;
  player.character->CapsuleHalfHeight = 90.f;
  playerIndex_.Insert(player.character, at);
}

AShooterPlayerController* Game::NewController(Player& player) {
  auto* controller = SpawnActor<AShooterPlayerController>(player.name);
  controller->UniqueNetId = player.steamId;
  controller->LinkedPlayerID = static_cast<uint64>(player.dataId);
  controller->TargetingTeam = player.team;
  controller->Character = player.character;
  controller->PlayerState = SpawnActor<AShooterPlayerState>(player.name);
  auto& list = world_->PlayerControllerList;
  objects_.MakeWeak(list[list.Emplace()], controller);
  controllerLookup_[controller->UniqueNetId] = controller;  // it possesses his character
  player.controller = controller;
  if (player.tribe) RefreshTribeData(*player.tribe);
  return controller;
}

APrimalDinoCharacter* Game::SpawnDino(const DinoSpec& setup) {
  if (!setup.name.empty() && (FindPlayer(setup.name) || FindDino(setup.name))) {
    throw std::invalid_argument("an actor named " + setup.name + " exists already");
  }
  auto* dino = SpawnCharacter<APrimalDinoCharacter>(setup.name, setup.at);
  dino->DescriptiveName = FString(ArkApi::Tools::Utf8Decode(setup.descriptiveName));
  dino->TargetingTeam = setup.team;
  dino->MyCharacterStatusComponent->Level = setup.level;
  dinoIndex_.Insert(dino, setup.at);
  if (!setup.name.empty()) dinos_[setup.name] = dino;
  return dino;
}

Player* Game::FindPlayer(std::string_view name) const {
  for (const auto& player : players_) {
    if (player->name == name) return player.get();
  }
  return nullptr;
}

APrimalDinoCharacter* Game::FindDino(std::string_view name) {
  const auto it = dinos_.find(std::string(name));
  return it == dinos_.end() ? nullptr : it->second;
}

std::vector<APrimalDinoCharacter*> Game::Dinos() const {
  std::vector<APrimalDinoCharacter*> dinos;
  for (const auto& [sequence, actor] : actors_) {
    if (actor->IsA(APrimalDinoCharacter::StaticClass())) {
      dinos.push_back(static_cast<APrimalDinoCharacter*>(actor));
    }
  }
  return dinos;
}

void Game::DestroyDino(APrimalDinoCharacter* dino) {
  if (!dino->Handle.empty()) dinos_.erase(dino->Handle);
  DestroyActor(dino);
}

void Game::DestroyCharacter(Player& player) {
  if (player.character == nullptr) return;
  for (auto& weak : world_->PlayerControllerList) {
    auto* controller = static_cast<AShooterPlayerController*>(objects_.Resolve(weak));
    if (controller && controller->Character == player.character) controller->Character = nullptr;
  }
  DestroyActor(player.character);
  player.character = nullptr;
}

void Game::LogOut(AShooterPlayerController* controller) {
  controllerLookup_.erase(controller->UniqueNetId);
  DestroyActor(controller->PlayerState);
  DestroyActor(controller);
}

void Game::Disconnect(Player& player) {
  if (player.character) player.character->SetConnected(false);
  if (player.controller == nullptr) return;
  LogOut(player.controller);
  player.controller = nullptr;
}

bool Game::DisconnectKept(Player& player) {
  if (player.keptControllers.empty()) return false;
  LogOut(player.keptControllers.front());
  player.keptControllers.erase(player.keptControllers.begin());
  return true;
}

void Game::Reconnect(Player& player, bool keepOldController) {
  if (player.controller && keepOldController) player.keptControllers.push_back(player.controller);
  if (player.controller && !keepOldController) Disconnect(player);
  if (player.character == nullptr) NewBody(player, {});
  player.character->SetFlag(APrimalCharacter::kIsDeadBit, false);
  player.character->MyCharacterStatusComponent->Health = 100.f;
  player.character->SetConnected(true);
  NewController(player);
}

void Game::SetCharacterPossessed(Player& player, bool possessed) {
  if (player.controller == nullptr) return;
  player.controller->Character = possessed ? player.character : nullptr;
  if (possessed && player.character) controllerLookup_[player.steamId] = player.controller;
}

void Game::SetTribe(Player& player, std::optional<int32> tribe) {
  if (player.tribe) {
    auto& members = tribes_[*player.tribe];
    members.erase(std::remove(members.begin(), members.end(), player.dataId), members.end());
    RefreshTribeData(*player.tribe);
  }
  player.tribe = tribe;
  if (tribe) {
    tribes_[*tribe].push_back(player.dataId);
    RefreshTribeData(*tribe);
  } else if (player.controller) {
    static_cast<AShooterPlayerState*>(player.controller->PlayerState)->MyTribeData = FTribeData{};
  }
  SetTeam(player, tribe.value_or(player.dataId));
}

void Game::SetTeam(Player& player, int32 team) {
  player.team = team;
  if (player.controller) player.controller->TargetingTeam = team;
  if (player.character) player.character->TargetingTeam = team;
}

void Game::SetGroups(Player& player, std::vector<std::string> groups) {
  permissions::SetGroups(player.steamId, std::move(groups));
}

void Game::SetPermissionsCaching(bool on) { permissions::SetCaching(on); }

void Game::RefreshTribeData(int32 tribe) {
  const auto& members = tribes_[tribe];
  for (const auto& player : players_) {
    if (player->tribe != tribe || player->controller == nullptr) continue;
    auto& data = static_cast<AShooterPlayerState*>(player->controller->PlayerState)->MyTribeData;
    data.TribeID = tribe;
    data.MembersPlayerDataID.Empty();
    for (const int32 member : members) data.MembersPlayerDataID.Add(static_cast<uint32>(member));
  }
}

bool Game::Chat(Player* player, std::string_view text, EChatSendMode::Type mode) {
  FString line(ArkApi::Tools::Utf8Decode(std::string(text)));
  auto* controller = player ? player->controller : nullptr;
  return framework::DispatchChat(reinterpret_cast<::AShooterPlayerController*>(controller), line,
                                 mode);
}

bool Game::Console(Player* player, std::string_view text) {
  FString line(ArkApi::Tools::Utf8Decode(std::string(text)));
  auto* controller = player ? player->controller : nullptr;
  return framework::DispatchConsole(reinterpret_cast<::APlayerController*>(controller), line);
}

bool Game::Rcon(std::string_view text) {
  // SERVERDATA_EXECCOMMAND, the RCON protocol's type of a command.
  constexpr int kExecCommand = 2;
  static RCONClientConnection connection;
  RCONPacket packet{};
  packet.Id = ++rconPackets_;
  packet.Type = kExecCommand;
  packet.Body = FString(ArkApi::Tools::Utf8Decode(std::string(text)));
  packet.Length = packet.Body.Len();
  return framework::DispatchRcon(&connection, packet, reinterpret_cast<::UWorld*>(world_));
}

bool Game::Fault(std::string_view name, int count) { return faults::Arm(name, count); }

void Game::ClearFaults() { faults::Clear(); }

void Game::Tick(int count) {
  for (int i = 0; i < count; ++i) framework::RunTick(1.f / 30.f);
}

std::vector<float> Game::TakeOverlapQueries() {
  std::vector<float> radii = std::exchange(overlapRadii_, {});
  // A full ring starts at its oldest radius.
  std::rotate(radii.begin(), radii.begin() + overlapQueriesMade_ % kKeptRadii, radii.end());
  overlapQueriesMade_ = 0;
  return radii;
}

void Game::OverlapActors(const FVector& centre, float radius, int32 group, TArray<AActor*>& out) {
  if (overlapRadii_.size() < kKeptRadii) {
    overlapRadii_.push_back(radius);
  } else {
    overlapRadii_[overlapQueriesMade_ % kKeptRadii] = radius;
  }
  ++overlapQueriesMade_;
  const auto append = [&out](void* actor) { Add(out, static_cast<AActor*>(actor)); };
  switch (group) {
    case EServerOctreeGroup::DINOPAWNS:
      if (dinoIndex_.HoldsAll(centre, radius)) {
        // Every creature, as a whole-map query finds them: written in place, none tested.
        AActor** next = AddUninitialized(out, dinoIndex_.Size());
        dinoIndex_.ForEach([&next](void* dino) { *next++ = static_cast<AActor*>(dino); });
        break;
      }
      // A walk may find every creature: room for all of them at once spares the result the
      // copies of growing step by step.
      if (dinoIndex_.Walks(centre, radius)) {
        Reserve(out, static_cast<std::size_t>(out.Num()) + dinoIndex_.Size());
      }
      dinoIndex_.ForEachWithin(centre, radius, append);
      break;
    case EServerOctreeGroup::PLAYERPAWNS:
      playerIndex_.ForEachWithin(centre, radius, append);
      break;
    case EServerOctreeGroup::PAWNS:
      OverlapPawns(centre, radius, out);
      break;
  }
}

// Both indices answer in spawn order; the players found, always few, are slotted in among the
// creatures.
void Game::OverlapPawns(const FVector& centre, float radius, TArray<AActor*>& out) {
  std::vector<void*>& players = overlapPlayers_;
  players.clear();
  playerIndex_.Query(centre, radius, players);
  std::size_t nextPlayer = 0;
  const auto addPlayersSpawnedBefore = [&](uint64 spawnSequence) {
    while (nextPlayer < players.size() &&
           static_cast<AActor*>(players[nextPlayer])->SpawnSequence < spawnSequence) {
      Add(out, static_cast<AActor*>(players[nextPlayer++]));
    }
  };
  dinoIndex_.ForEachWithin(centre, radius, [&](void* dino) {
    auto* actor = static_cast<AActor*>(dino);
    addPlayersSpawnedBefore(actor->SpawnSequence);
    Add(out, actor);
  });
  addPlayersSpawnedBefore(std::numeric_limits<uint64>::max());
}

void Game::AllActorsOfClass(const UClass* actorClass, TArray<AActor*>& out) const {
  // Every creature is in the creature index, in spawn order: a query for creatures walks that
  // array rather than the tree of every actor.
  if (actorClass->IsChildOf(APrimalDinoCharacter::StaticClass())) {
    Reserve(out, static_cast<std::size_t>(out.Num()) + dinoIndex_.Size());
    dinoIndex_.ForEach([&](void* item) {
      auto* actor = static_cast<AActor*>(item);
      if (actor->IsA(actorClass)) Add(out, actor);
    });
    return;
  }
  for (const auto& [sequence, actor] : actors_) {
    if (actor->IsA(actorClass)) Add(out, actor);
  }
}

::UWorld* Game::World() { return reinterpret_cast<::UWorld*>(world_); }

::AShooterGameMode* Game::GameMode() { return reinterpret_cast<::AShooterGameMode*>(gameMode_); }

::AShooterPlayerController* Game::FindControllerBySteamId(uint64 steamId) {
  const auto it = controllerLookup_.find(steamId);
  return reinterpret_cast<::AShooterPlayerController*>(it == controllerLookup_.end() ? nullptr
                                                                                    : it->second);
}

}  // namespace game
