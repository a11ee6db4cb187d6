#include "commands/CreatureSearch.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "commands/ActorWalk.h"
#include "core/Config.h"
#include "host/Framework.h"

namespace packsentinel {
namespace {

constexpr int32 kFirstRingMetres = 100;
constexpr int32 kLastRingAfterMetres = 80000;
constexpr std::int64_t kGameUnitsPerMetre = 100;
constexpr int32 kDinoOctreeGroup = 2;

// In 64 bits: the widest range a setting can give is past 32 bits of game units.
float RadiusOf(std::int64_t metres) { return static_cast<float>(metres * kGameUnitsPerMetre); }

std::optional<FVector> SearchCentre(AShooterPlayerController* controller) {
  AShooterCharacter* character = host::GetPlayerCharacter(controller);
  if (character == nullptr) return std::nullopt;
  USceneComponent* root = host::GetRootComponent(character);
  if (root == nullptr) return std::nullopt;
  return host::GetRelativeLocation(root);
}

class Search {
 public:
  Search(const CreatureSearch& request, const FVector& centre, int32 freeSlots)
      : request_(request),
        centre_(centre),
        freeSlots_(freeSlots),
        dinoClass_(host::GetDinoClass()) {}

  void FixedRadius(std::int64_t metres) {
    TArray<AActor*> actors;
    Query(RadiusOf(metres), actors);
    VisitActors(ActorsOf(actors), [&](AActor* actor) {
      if (actor == nullptr || !IsCreature(actor)) return true;
      auto* dino = static_cast<APrimalDinoCharacter*>(actor);
      if (host::IsDead(dino) || !Belongs(dino)) return true;
      // Within one call the limit, once reached, stays reached: nothing further can be taken.
      if (LimitReached()) return false;
      if (Matches(dino)) Record(dino);
      return true;
    });
  }

  void ExpandingRings() {
    if (freeSlots_ <= 0) return;
    std::vector<APrimalDinoCharacter*> recordedThisCall;
    // What the smaller ring returned, kept until the larger one has been walked: the actors it
    // held were tested already, and their outcome cannot have changed.
    TArray<AActor*> smallerRing;
    std::vector<AActor*> newInRing;
    for (int32 metres = kFirstRingMetres;; metres *= 2) {
      TArray<AActor*> actors;
      Query(RadiusOf(metres), actors);
      NewActorsOfRing(ActorsOf(actors), ActorsOf(smallerRing), newInRing);
      VisitActors(newInRing, [&](AActor* actor) {
        if (LimitReached()) return false;
        if (actor == nullptr || !IsCreature(actor)) return true;
        auto* dino = static_cast<APrimalDinoCharacter*>(actor);
        if (std::find(recordedThisCall.begin(), recordedThisCall.end(), dino) !=
            recordedThisCall.end()) {
          return true;
        }
        if (host::IsDead(dino) || !Belongs(dino) || !Matches(dino)) return true;
        Record(dino);
        recordedThisCall.push_back(dino);
        return true;
      });
      if (metres > kLastRingAfterMetres || LimitReached()) return;
      smallerRing = std::move(actors);
    }
  }

  int32 Recorded() const { return recorded_; }

 private:
  void Query(float radius, TArray<AActor*>& actors) const {
    host::ServerOctreeOverlapActors(actors, host::GetGameWorld(), centre_, radius, kDinoOctreeGroup,
                                    true);
  }

  // The player's count is his count before the call plus what it recorded, so this is the
  // limit test without asking for his limit again at every candidate.
  bool LimitReached() const { return recorded_ >= freeSlots_; }

  bool IsCreature(AActor* actor) const { return host::IsA(actor, dinoClass_); }
  bool Belongs(APrimalDinoCharacter* dino) const {
    return request_.team ? host::GetTargetingTeam(dino) == *request_.team : IsWild(dino);
  }
  bool Matches(APrimalDinoCharacter* dino) const {
    return request_.request == nullptr || request_.request->Matches(dino);
  }

  void Record(APrimalDinoCharacter* dino) {
    AppendDinoEntry(request_.registry, request_.controller, dino);
    ++recorded_;
  }

  const CreatureSearch& request_;
  const FVector centre_;
  const int32 freeSlots_;
  UClass* const dinoClass_;
  int32 recorded_ = 0;
};

}  // namespace

int32 SearchAndRecord(const CreatureSearch& request) {
  const int32 freeSlots = RemainingTrackSlots(request.controller);
  const auto centre = SearchCentre(request.controller);
  if (!centre) return 0;
  Search search(request, *centre, freeSlots);
  auto& range = request.section["MaxTrackRange"];
  if (nlohmann::json(0) < range) {
    search.FixedRadius(ReadInt32(range));
  } else {
    search.ExpandingRings();
  }
  return search.Recorded();
}

}  // namespace packsentinel
